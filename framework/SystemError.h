// The platform's own text for an error code, in the user's language, as the
// system's message boxes word it.
#pragma once

#include <windows.h>

#include "framework/LocalMemory.h"
#include "framework/String.h"
#include "framework/WideString.h"

inline CString SystemErrorText(DWORD error) {
  wchar_t* text = nullptr;
  ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                   error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  CLocalMemory owner(text);
  return WideToText(text);
}
