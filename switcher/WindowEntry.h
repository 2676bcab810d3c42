// Window handles live in the desktops' lists as 32-bit entries. This is the
// one place where a handle becomes an entry and back.
#pragma once

#include <windows.h>

// A window handle means the same in 32- and 64-bit programs: only its low 32
// bits count, and a 64-bit program reads them back sign-extended.
inline DWORD EntryOf(HWND window) { return HandleToULong(window); }
inline HWND WindowOf(DWORD entry) { return static_cast<HWND>(LongToHandle(static_cast<LONG>(entry))); }
