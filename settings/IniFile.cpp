#include "settings/IniFile.h"

#include <cstring>
#include <string>

#include "framework/FileAccess.h"
#include "settings/IniText.h"

namespace {

// The read buffer of the profile calls held 1,024 bytes with the terminator.
constexpr int kLongestValue = 1023;
// Far more than a settings file holds; anything larger is not ours.
constexpr DWORD kLargestFile = 16 * 1024 * 1024;
constexpr char kUtf16Mark[] = "\xFF\xFE";

bool IsUtf16(const std::string& bytes) { return bytes.compare(0, 2, kUtf16Mark) == 0; }

// A UTF-16 file's text after its mark. An odd last byte is not part of it
// and is kept aside for the write.
std::wstring Utf16Units(const std::string& bytes) {
  std::wstring units((bytes.size() - 2) / 2, L'\0');
  if (!units.empty()) std::memcpy(&units[0], bytes.data() + 2, units.size() * sizeof(wchar_t));
  return units;
}

std::string Utf16Bytes(const std::wstring& units, const std::string& original) {
  std::string bytes = kUtf16Mark;
  bytes.append(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(wchar_t));
  if (original.size() % 2 != 0) bytes += original.back();
  return bytes;
}

std::wstring Wide(const CString& text) {
  const CStringW wide = TextToWide(text);
  return std::wstring(wide.GetString(), static_cast<size_t>(wide.GetLength()));
}

std::string Bytes(const CString& text) { return std::string(text.GetString(), static_cast<size_t>(text.GetLength())); }

}  // namespace

CString ReadIniValue(const CStringW& file, const CString& section, const CString& key) {
  std::string bytes;
  if (ReadWholeFile(file, kLargestFile, &bytes) != CFileReadResult::kRead) return CString();
  CString value;
  if (IsUtf16(bytes)) {
    std::wstring found;
    if (CIniText<wchar_t>(Utf16Units(bytes)).Find(Wide(section), Wide(key), &found)) {
      value = WideToText(found.data(), static_cast<int>(found.size()));
    }
  } else {
    std::string found;
    if (CIniText<char>(bytes).Find(Bytes(section), Bytes(key), &found)) {
      value = CString(found.data(), static_cast<int>(found.size()));
    }
  }
  return value.LeftWholeChars(kLongestValue);
}

bool WriteIniValue(const CStringW& file, const CString& section, const CString& key, const CString& value) {
  if (file.IsEmpty()) return false;
  std::string bytes;
  // A file that is there but cannot be read is never replaced by one that
  // holds this value alone.
  if (ReadWholeFile(file, kLargestFile, &bytes) == CFileReadResult::kUnreadable) return false;
  if (IsUtf16(bytes)) {
    CIniText<wchar_t> text(Utf16Units(bytes));
    text.Set(Wide(section), Wide(key), Wide(value));
    return ReplaceWholeFile(file, Utf16Bytes(text.GetText(), bytes));
  }
  CIniText<char> text(bytes);
  text.Set(Bytes(section), Bytes(key), Bytes(value));
  return ReplaceWholeFile(file, text.GetText());
}
