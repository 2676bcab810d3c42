// Window handles live in the desktops' lists as 32-bit entries. This is the
// one place where a handle becomes an entry and back.
#pragma once

#include <windows.h>

static_assert(sizeof(HWND) == sizeof(DWORD), "a 32-bit program stores window handles as they are");

inline DWORD EntryOf(HWND window) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(window)); }
inline HWND WindowOf(DWORD entry) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(entry)); }
