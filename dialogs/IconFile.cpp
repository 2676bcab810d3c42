#include "dialogs/IconFile.h"

#include <shellapi.h>

#include "framework/WinApp.h"

bool IconFileExists(const wchar_t* path) {
  const DWORD attributes = ::GetFileAttributesW(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int CountIconsInFile(const wchar_t* path) {
  if (!IconFileExists(path)) return 0;
  // With index -1 the "icon" returned is the count.
  return static_cast<int>(reinterpret_cast<INT_PTR>(::ExtractIconW(AfxGetInstanceHandle(), path, static_cast<UINT>(-1))));
}

HICON ExtractIconFrom(const wchar_t* path, int index) {
  if (index == -1) return nullptr;
  return ::ExtractIconW(AfxGetInstanceHandle(), path, static_cast<UINT>(index));
}

HICON ExtractIconAtSize(const wchar_t* path, int index, int size) {
  if (index == -1) return nullptr;
  HICON icon = nullptr;
  // Answers the number of icons taken, or all bits set when the file cannot
  // be read.
  const UINT taken = ::PrivateExtractIconsW(path, index, size, size, &icon, nullptr, 1, LR_DEFAULTCOLOR);
  return taken == 1 ? icon : nullptr;
}
