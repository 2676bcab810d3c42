// What the icon chooser asks of a file, apart from any window.
#pragma once

#include <windows.h>

// True when path names a file (not a folder). Unlike OpenFile, whose path
// buffer holds 128 characters, this works for any path the platform takes.
bool IconFileExists(const char* path);
// The number of icons in path; 0 when the file does not exist.
int CountIconsInFile(const char* path);
