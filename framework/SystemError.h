// The platform's own text for an error code, in the user's language, as the
// system's message boxes word it.
#pragma once

#include <windows.h>

#include "framework/LocalMemory.h"
#include "framework/String.h"

inline CString SystemErrorText(DWORD error) {
  char* text = nullptr;
  ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                   error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  CLocalMemory owner(text);
  return text;
}
