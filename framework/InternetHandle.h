// A WinInet handle with one owner.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "framework/Handles.h"

struct CInternetHandleTraits {
  static HINTERNET Invalid() { return nullptr; }
  static void Close(HINTERNET handle) { ::InternetCloseHandle(handle); }
};
using CInternetHandle = CUniqueHandle<HINTERNET, CInternetHandleTraits>;
