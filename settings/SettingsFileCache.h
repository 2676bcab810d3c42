// The settings file's bytes, read once and kept while the file's size and
// last-write time stay as they were: a switch, which asks for a value or
// two, reads no file that has not changed. One file is kept, the last one
// asked for; the program has one settings file.
#pragma once

#include <windows.h>

#include <string>

#include "framework/FileAccess.h"
#include "framework/WideString.h"

// Larger than any settings file; a file beyond it is not read at all.
constexpr DWORD kLargestSettingsFile = 16 * 1024 * 1024;

struct CSettingsFileContent {
  CFileReadResult result = CFileReadResult::kMissing;
  std::string bytes;
  // Changes whenever the bytes were read afresh, so that what was found in
  // them can be kept as long as they are.
  unsigned generation = 0;
};

// The file as ReadWholeFile reads it (kUnreadable above the limit), from
// the cache when the file is unchanged. Valid until the next call.
const CSettingsFileContent& ReadSettingsFile(const CStringW& path);
// The file changed under the program's own hand: the next read reads it.
void ForgetSettingsFile();
// A file there that is larger than the limit.
bool IsTooLargeForSettings(const CStringW& path);
