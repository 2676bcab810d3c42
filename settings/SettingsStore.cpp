#include "settings/SettingsStore.h"

#include <windows.h>

#include <cstdlib>

namespace {

constexpr int kValueBufferSize = 1024;
constexpr int kNameBufferSize = 256;

}  // namespace

namespace {

// The stored value, trailing white space removed; empty when there is none.
CString StoredValue(const CString& file, const CString& section, const CString& key) {
  CString value;
  const DWORD length =
      GetPrivateProfileStringA(section, key, "", value.GetBuffer(kValueBufferSize), kValueBufferSize, file);
  value.ReleaseBuffer(static_cast<int>(length));
  value.TrimRight();
  return value;
}

}  // namespace

CString ReadSetting(CString file, CString section, CString key, CString defaultValue) {
  // An empty path would send the platform to its own WIN.INI: treat it as
  // settings being unavailable and answer with the default.
  if (file.IsEmpty()) return defaultValue;

  CString value = StoredValue(file, section, key);
  if (value.IsEmpty()) {
    WritePrivateProfileStringA(section, key, defaultValue, file);
    value = defaultValue;
  }
  return value;
}

BOOL WriteSetting(CString file, CString section, CString key, CString value) {
  if (file.IsEmpty()) return FALSE;
  return WritePrivateProfileStringA(section, key, value, file);
}

CString ReadSetting(const CString& file, const CSettingKey& key) {
  return ReadSetting(file, key.section, key.key, key.defaultValue ? key.defaultValue : "");
}

CString ReadSetting(const CString& file, const CSettingKey& key, const CString& defaultValue) {
  return ReadSetting(file, key.section, key.key, defaultValue);
}

BOOL WriteSetting(const CString& file, const CSettingKey& key, const CString& value) {
  return WriteSetting(file, key.section, key.key, value);
}

CString PeekSetting(const CString& file, const CSettingKey& key) {
  const CString value = file.IsEmpty() ? CString() : StoredValue(file, key.section, key.key);
  return value.IsEmpty() ? CString(key.defaultValue) : value;
}

CString IniPathFor(const CString& modulePath) {
  if (modulePath.GetLength() < 4 || modulePath.Right(4).CompareNoCase(".exe") != 0) return CString();
  return modulePath.Left(modulePath.GetLength() - 4) + ".ini";
}

CString MakeIniPath() { return IniPathFor(GetModulePath()); }

CString GetModulePath() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA(nullptr), path, sizeof path);
  return path;
}

CString IntToText(int value) {
  char text[16];
  wsprintfA(text, "%d", value);
  return text;
}

int TextToInt(CString text) { return static_cast<int>(std::atol(text)); }

CString GetUserNameText() {
  char name[kNameBufferSize] = "";
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) ? CString(name) : CString();
}

CString GetComputerNameText() {
  char name[kNameBufferSize] = "";
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) ? CString(name) : CString();
}

CIconSource SplitIconSetting(const CString& value) {
  CIconSource source;
  const int comma = value.ReverseFind(',');
  if (comma > 0) {
    source.file = value.Left(comma);
    source.index = TextToInt(value.Mid(comma + 1));
  } else {
    source.file = value;
  }
  return source;
}

CString JoinIconSetting(const CString& file, int index) { return file + "," + IntToText(index); }

bool IsYes(const CString& value) { return value == "Y"; }

CString YesNo(bool value) { return value ? "Y" : "N"; }
