#include "dialogs/IconFile.h"

#include <shellapi.h>

#include "framework/WinApp.h"

bool IconFileExists(const char* path) {
  const DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CountIconsInFile(const char* path) {
  if (!IconFileExists(path)) return 0;
  // With index -1 the "icon" returned is the count.
  return static_cast<int>(reinterpret_cast<INT_PTR>(::ExtractIconA(AfxGetInstanceHandle(), path, static_cast<UINT>(-1))));
}

HICON ExtractIconFrom(const char* path, int index) {
  if (index == -1) return nullptr;
  return ::ExtractIconA(AfxGetInstanceHandle(), path, static_cast<UINT>(index));
}
