// Memory the system allocated for the caller with LocalAlloc (for example
// FormatMessage's buffer), released when the owner goes.
#pragma once

#include <windows.h>

#include "framework/Handles.h"

struct CLocalMemoryTraits {
  static HLOCAL Invalid() { return nullptr; }
  static void Close(HLOCAL memory) { ::LocalFree(memory); }
};
using CLocalMemory = CUniqueHandle<HLOCAL, CLocalMemoryTraits>;
