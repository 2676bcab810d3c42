// Files read and replaced whole, by wide path, and the program's own path.
// Every file the program opens is opened here, so that a path in any script
// and of any length the platform allows reaches the file it names.
#pragma once

#include <windows.h>

#include <string>

#include "framework/WideString.h"

// The longest path the platform's wide calls take, in characters, with its
// terminator.
constexpr DWORD kLongestPath = 32768;

// The program file's full path; empty when it is longer than any path the
// platform takes.
CStringW GetModulePath();

// The path as the platform's file calls take it: an absolute path too long
// for their classic form gets the "\\?\" form, which has no such limit.
CStringW FileCallPath(const CStringW& path);

enum class CFileReadResult { kRead, kMissing, kUnreadable };

// The file's bytes. A file larger than largest counts as unreadable, and so
// does a folder.
CFileReadResult ReadWholeFile(const CStringW& path, DWORD largest, std::string* bytes);

// Puts bytes in the file's place in one step: the new content is written
// beside it and then moved over it, so a reader finds the old file or the
// new one, never half of either. When the folder lets no new file in but the
// file itself may be written, it is written in place. False, with the file
// as it was, when it cannot be written (read-only, a folder, a folder that
// refuses).
bool ReplaceWholeFile(const CStringW& path, const std::string& bytes);

void RemoveFile(const CStringW& path);

// A file, not a folder, that can be opened for reading.
bool IsReadableFile(const CStringW& path);
// Creates an empty file; false when something is there already or the
// folder refuses.
bool CreateEmptyFile(const CStringW& path);
// Creates the folder when it is missing; false when there is none after.
bool EnsureFolder(const CStringW& path);
