#include "settings/SettingsStore.h"

#include <windows.h>

#include <cstdlib>

#include "framework/FileAccess.h"
#include "settings/IniFile.h"

namespace {

constexpr int kNameBufferSize = 256;

// The stored value, trailing white space removed; empty when there is none.
CString StoredValue(const CStringW& file, const CString& section, const CString& key) {
  CString value = ReadIniValue(file, section, key);
  value.TrimRight();
  return value;
}

// The path as code page 936 text. One that text cannot hold is kept by its
// short form, which names the same file in plain ASCII where the volume
// keeps short names; only without them does it lose characters to '?'.
CString PathAsText(const CStringW& path) {
  const CString text = WideToText(path, path.GetLength());
  if (TextToWide(text) == path) return text;
  CStringW shortPath;
  const DWORD needed = GetShortPathNameW(path, nullptr, 0);
  if (needed == 0) return text;
  const DWORD length = GetShortPathNameW(path, shortPath.GetBuffer(static_cast<int>(needed)), needed);
  if (length == 0 || length >= needed) return text;
  shortPath.ReleaseBuffer(static_cast<int>(length));
  const CString shortText = WideToText(shortPath, shortPath.GetLength());
  return TextToWide(shortText) == shortPath ? shortText : text;
}

}  // namespace

CString ReadSetting(const CStringW& file, CString section, CString key, CString defaultValue) {
  // No settings file: settings are unavailable, and the defaults answer.
  if (file.IsEmpty()) return defaultValue;

  CString value = StoredValue(file, section, key);
  if (value.IsEmpty()) {
    WriteIniValue(file, section, key, defaultValue);
    value = defaultValue;
  }
  return value;
}

BOOL WriteSetting(const CStringW& file, CString section, CString key, CString value) {
  return WriteIniValue(file, section, key, value) ? TRUE : FALSE;
}

CString ReadSetting(const CStringW& file, const CSettingKey& key) {
  return ReadSetting(file, key.section, key.key, key.defaultValue ? key.defaultValue : "");
}

CString ReadSetting(const CStringW& file, const CSettingKey& key, const CString& defaultValue) {
  return ReadSetting(file, key.section, key.key, defaultValue);
}

BOOL WriteSetting(const CStringW& file, const CSettingKey& key, const CString& value) {
  return WriteSetting(file, key.section, key.key, value);
}

CString PeekSetting(const CStringW& file, const CSettingKey& key) {
  const CString value = file.IsEmpty() ? CString() : StoredValue(file, key.section, key.key);
  return value.IsEmpty() ? CString(key.defaultValue) : value;
}

CStringW IniPathFor(const CStringW& modulePath) {
  if (modulePath.GetLength() < 4 || modulePath.Right(4).CompareNoCase(L".exe") != 0) return CStringW();
  return modulePath.Left(modulePath.GetLength() - 4) + L".ini";
}

CStringW MakeIniPath() { return IniPathFor(GetModulePath()); }

CString IntToText(int value) {
  char text[16];
  wsprintfA(text, "%d", value);
  return text;
}

int TextToInt(CString text) { return static_cast<int>(std::atol(text)); }

// The names as code page 936 text, as the file holds them, whatever the
// system's code page.
CString GetUserNameText() {
  wchar_t name[kNameBufferSize] = L"";
  DWORD size = kNameBufferSize;
  return GetUserNameW(name, &size) ? WideToText(name) : CString();
}

CString GetComputerNameText() {
  wchar_t name[kNameBufferSize] = L"";
  DWORD size = kNameBufferSize;
  return GetComputerNameW(name, &size) ? WideToText(name) : CString();
}

CIconSource SplitIconSetting(const CString& value) {
  CIconSource source;
  const int comma = value.ReverseFind(',');
  if (comma > 0) {
    source.file = TextToWide(value.Left(comma));
    source.index = TextToInt(value.Mid(comma + 1));
  } else {
    source.file = TextToWide(value);
  }
  return source;
}

CString JoinIconSetting(const CStringW& file, int index) { return PathAsText(file) + "," + IntToText(index); }

bool IsYes(const CString& value) { return value == "Y"; }

CString YesNo(bool value) { return value ? "Y" : "N"; }
