#include "app/RunningInstance.h"

#include "framework/FileAccess.h"
#include "framework/WideString.h"
#include "switcher/PinnedPrograms.h"

namespace {

// The class the system gives every dialog, the main dialog among them.
constexpr wchar_t kDialogClass[] = L"#32770";

CString ThisProgramsFileName() {
  const CStringW path = GetModulePath();
  const CStringW name = path.Mid(path.ReverseFind(L'\\') + 1);
  return WideToText(name, name.GetLength());
}

bool IsPanorelProcess(HWND window, const CString& programName) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == GetCurrentProcessId()) return false;
  const CString name = ExecutableNameOf(processId);
  return !name.IsEmpty() && name.CompareNoCase(programName) == 0;
}

}  // namespace

HWND FindRunningInstance(const CString& title) {
  const CStringW wideTitle = TextToWide(title);
  const CString programName = ThisProgramsFileName();
  for (HWND window = FindWindowExW(nullptr, nullptr, kDialogClass, wideTitle); window;
       window = FindWindowExW(nullptr, window, kDialogClass, wideTitle)) {
    if (IsPanorelProcess(window, programName)) return window;
  }
  return nullptr;
}

bool ActivateRunningInstance(const CString& title) {
  HWND running = FindRunningInstance(title);
  if (!running) return false;
  ShowWindow(running, SW_SHOW);
  SetForegroundWindow(running);
  return true;
}
