// The INI settings store: one file, beside the program or in the user's own
// folder (settings/SettingsLocation.h). Values are code page 936 texts;
// booleans are "Y"/"N" and count as true only when exactly "Y"; numbers are
// decimal text. Paths are wide: a folder may be named in any script.
#pragma once

#include "framework/String.h"
#include "framework/WideString.h"
#include "settings/SettingKeys.h"

// The value of key in section, trailing white space removed. A missing or
// empty value is replaced by defaultValue, which is also written to the file.
// Values longer than 1,023 bytes are cut there.
// Without a file (an empty path) the default is all there is.
CString ReadSetting(const CStringW& file, CString section, CString key, CString defaultValue);
// FALSE when the value could not be written; the file is then as it was.
BOOL WriteSetting(const CStringW& file, CString section, CString key, CString value);
// The same for a key of the table; the second reader is for keys whose
// default the running program supplies.
CString ReadSetting(const CStringW& file, const CSettingKey& key);
CString ReadSetting(const CStringW& file, const CSettingKey& key, const CString& defaultValue);
BOOL WriteSetting(const CStringW& file, const CSettingKey& key, const CString& value);
// The value as the file holds it, trailing white space removed, or the
// key's default when it is missing or empty; nothing is written.
CString PeekSetting(const CStringW& file, const CSettingKey& key);

// The program file's path with ".exe" (any case) replaced by ".ini"; empty
// when the program file does not end in ".exe". The settings live there
// when that works.
CStringW MakeIniPath();
CStringW IniPathFor(const CStringW& modulePath);

CString IntToText(int value);
// Leading white space, an optional sign, then digits up to the first
// non-digit; 0 when there are none.
int TextToInt(CString text);

CString GetUserNameText();
CString GetComputerNameText();

// An "Icon" value split into its file and icon index. The index follows the
// last comma, so folders with commas in their names survive; a value with no
// comma after its first character is all file, index 0.
// The file keeps code page 936 bytes: a character of the path that the code
// page cannot hold is stored as '?'.
struct CIconSource {
  CStringW file;
  int index = 0;
};
CIconSource SplitIconSetting(const CString& value);
// The file as code page 936 text: a path that code page cannot hold is
// written in its short form when it has one.
CString JoinIconSetting(const CStringW& file, int index);

bool IsYes(const CString& value);
CString YesNo(bool value);
