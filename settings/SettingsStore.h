// The INI settings store: one file beside the program, read and written only
// through the platform's private-profile calls. Values are texts; booleans are
// "Y"/"N" and count as true only when exactly "Y"; numbers are decimal text.
#pragma once

#include "framework/String.h"
#include "settings/SettingKeys.h"

// The value of key in section, trailing white space removed. A missing or
// empty value is replaced by defaultValue, which is also written to the file.
// Values longer than 1,023 bytes are cut there.
CString ReadSetting(CString file, CString section, CString key, CString defaultValue);
BOOL WriteSetting(CString file, CString section, CString key, CString value);
// The same for a key of the table; the second reader is for keys whose
// default the running program supplies.
CString ReadSetting(const CString& file, const CSettingKey& key);
CString ReadSetting(const CString& file, const CSettingKey& key, const CString& defaultValue);
BOOL WriteSetting(const CString& file, const CSettingKey& key, const CString& value);
// The value as the file holds it, trailing white space removed, or the
// key's default when it is missing or empty; nothing is written.
CString PeekSetting(const CString& file, const CSettingKey& key);

// The program file's path with ".exe" (any case) replaced by ".ini"; empty
// when the program file does not end in ".exe".
CString MakeIniPath();
CString IniPathFor(const CString& modulePath);
CString GetModulePath();

CString IntToText(int value);
// Leading white space, an optional sign, then digits up to the first
// non-digit; 0 when there are none.
int TextToInt(CString text);

CString GetUserNameText();
CString GetComputerNameText();

// An "Icon" value split into its file and icon index. The index follows the
// last comma, so folders with commas in their names survive; a value with no
// comma after its first character is all file, index 0.
struct CIconSource {
  CString file;
  int index = 0;
};
CIconSource SplitIconSetting(const CString& value);
CString JoinIconSetting(const CString& file, int index);

bool IsYes(const CString& value);
CString YesNo(bool value);
