#include "settings/IniFile.h"

#include <cstring>
#include <utility>
#include <vector>
#include <string>

#include "framework/FileAccess.h"
#include "settings/IniText.h"
#include "settings/SettingsFileCache.h"

namespace {

// The read buffer of the profile calls held 1,024 bytes with the terminator.
constexpr int kLongestValue = 1023;
constexpr char kUtf16Mark[] = "\xFF\xFE";

bool HasUtf16Mark(const std::string& bytes) { return bytes.compare(0, 2, kUtf16Mark) == 0; }
bool IsUtf16(const std::string& bytes) { return HasUtf16Mark(bytes) || LooksLikeUtf16WithoutMark(bytes); }

// A UTF-16 file's text after its mark, if it has one. An odd last byte is
// not part of it and is kept aside for the write.
std::wstring Utf16Units(const std::string& bytes) {
  const size_t start = HasUtf16Mark(bytes) ? 2 : 0;
  std::wstring units((bytes.size() - start) / 2, L'\0');
  if (!units.empty()) std::memcpy(&units[0], bytes.data() + start, units.size() * sizeof(wchar_t));
  return units;
}

// Written back as it was found: with its mark or without.
std::string Utf16Bytes(const std::wstring& units, const std::string& original) {
  std::string bytes = HasUtf16Mark(original) ? kUtf16Mark : "";
  bytes.append(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(wchar_t));
  if (original.size() % 2 != 0) bytes += original.back();
  return bytes;
}

std::wstring Wide(const CString& text) {
  const CStringW wide = TextToWide(text);
  return std::wstring(wide.GetString(), static_cast<size_t>(wide.GetLength()));
}

std::string Bytes(const CString& text) { return std::string(text.GetString(), static_cast<size_t>(text.GetLength())); }

// The values found in the settings file's current bytes, by section and key
// as asked: a switch asks the same few again and again.
struct CFoundValues {
  unsigned generation = 0;
  std::vector<std::pair<std::string, CString>> values;
};

CString FindIniValue(const std::string& bytes, const CString& section, const CString& key) {
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

}  // namespace

bool LooksLikeUtf16WithoutMark(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  size_t nulAtEven = 0;
  size_t nulAtOdd = 0;
  for (size_t at = 0; at < bytes.size(); ++at) {
    if (bytes[at] == '\0') ++(at % 2 ? nulAtOdd : nulAtEven);
  }
  return nulAtOdd > 0 && nulAtEven * 8 <= nulAtOdd;
}

CString ReadIniValue(const CStringW& file, const CString& section, const CString& key) {
  const CSettingsFileContent& content = ReadSettingsFile(file);
  if (content.result != CFileReadResult::kRead) return CString();
  static CFoundValues found;
  if (found.generation != content.generation) {
    found.values.clear();
    found.generation = content.generation;
  }
  const std::string name = Bytes(section) + '\n' + Bytes(key);
  for (const auto& known : found.values) {
    if (known.first == name) return known.second;
  }
  const CString value = FindIniValue(content.bytes, section, key);
  found.values.emplace_back(name, value);
  return value;
}

bool WriteIniValue(const CStringW& file, const CString& section, const CString& key, const CString& value) {
  if (file.IsEmpty()) return false;
  std::string bytes;
  // A file that is there but cannot be read is never replaced by one that
  // holds this value alone.
  if (ReadWholeFile(file, kLargestSettingsFile, &bytes) == CFileReadResult::kUnreadable) return false;
  // Whether or not the write succeeds, what is kept of the file is read
  // again: the file is changed, or may be half the program's doing.
  ForgetSettingsFile();
  if (IsUtf16(bytes)) {
    CIniText<wchar_t> text(Utf16Units(bytes));
    text.Set(Wide(section), Wide(key), Wide(value));
    return ReplaceWholeFile(file, Utf16Bytes(text.GetText(), bytes));
  }
  CIniText<char> text(bytes);
  text.Set(Bytes(section), Bytes(key), Bytes(value));
  return ReplaceWholeFile(file, text.GetText());
}
