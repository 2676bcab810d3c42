// What the program asks of an icon file, apart from any window: the one
// place icons are taken out of files.
#pragma once

#include <windows.h>

// True when path names a file (not a folder). Unlike OpenFile, whose path
// buffer holds 128 characters, this works for any path the platform takes.
bool IconFileExists(const wchar_t* path);
// The number of icons in path; 0 when the file does not exist.
int CountIconsInFile(const wchar_t* path);
// Icon number index of path, or null. Index -1 asks the platform for the
// number of icons instead of an icon, so it never yields one.
HICON ExtractIconFrom(const wchar_t* path, int index);
// The same at size × size pixels, taken from the file's own image of that
// size when it has one: sharp at the size the display's scale asks for.
HICON ExtractIconAtSize(const wchar_t* path, int index, int size);
