// The entry point of a GUI program built on the framework. Kept in a file of
// its own so that test programs, which have a main() of their own, never
// link it.
#include "framework/WinApp.h"

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
constexpr DWORD kSearchSystem32Only = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

// DLLs loaded from now on (every delay-loaded one among them) come from the
// system folder only, never from the program's folder or the current one.
// Looked up at run time: systems without the update that brought the call
// lack it, and start all the same.
void LoadDllsFromTheSystemFolderOnly() {
  const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories) setDefaultDllDirectories(kSearchSystem32Only);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadDllsFromTheSystemFolderOnly();
  return AfxWinMain();
}
