// The settings file on disk. Its bytes stay code page 936 on every system,
// whatever the system's code page, so that files written by earlier versions
// and by users read the same everywhere; a file that is UTF-16 (with its
// mark, or without it when its bytes show the pattern of UTF-16) stays
// UTF-16, as it was. Values reach the program as code page 936 bytes.
#pragma once

#include <string>

#include "framework/String.h"
#include "framework/WideString.h"

// The value of key in section, at most 1,023 bytes of it; empty when the
// file, the section or the key is missing, or the file cannot be read.
CString ReadIniValue(const CStringW& file, const CString& section, const CString& key);
// Sets one value and leaves every other byte of the file as it was; the
// file is created when it is missing. False, with the file unchanged, when
// it cannot be read or written.
bool WriteIniValue(const CStringW& file, const CString& section, const CString& key, const CString& value);

// UTF-16 text without its mark: NUL bytes, nearly all at odd offsets (the
// high bytes of plain ASCII characters). Code page 936 text has none.
bool LooksLikeUtf16WithoutMark(const std::string& bytes);
