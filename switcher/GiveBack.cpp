#include "switcher/GiveBack.h"

#include "framework/FileAccess.h"
#include "switcher/PinnedPrograms.h"
#include "switcher/TrayButtons.h"
#include "switcher/WindowEntry.h"

namespace {

// The taskbars, the desktop behind the icons and the shell's menus and
// overflow: windows whose visibility only the shell manages.
constexpr const char* kShellClasses[] = {"Shell_TrayWnd",  "Shell_SecondaryTrayWnd",   "Progman",
                                         "WorkerW",        "NotifyIconOverflowWindow", "DV2ControlHost"};

}  // namespace

bool RunsThisProgram(DWORD processId) {
  if (processId == GetCurrentProcessId()) return true;
  const CStringW ownPath = GetModulePath();
  const CStringW ownName = ownPath.Mid(ownPath.ReverseFind(L'\\') + 1);
  const CStringW name = ExecutableFileNameOf(processId);
  return !name.IsEmpty() && name.CompareNoCase(ownName) == 0;
}

bool IsShellWindowClass(const std::string& className) {
  for (const char* shellClass : kShellClasses) {
    if (lstrcmpiA(className.c_str(), shellClass) == 0) return true;
  }
  return false;
}

bool IsShellWindow(HWND window) {
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  return IsShellWindowClass(className);
}

bool MayGiveBack(const CHiddenWindowRecord& recorded) {
  if (IsShellWindowClass(recorded.className)) return false;
  // Only the very window that was hidden, and only while it still is: a
  // window shown since, or a new one with the old handle, is left be.
  if (!IsSameWindow(recorded) || IsWindowVisible(WindowOf(recorded.window))) return false;
  return !RunsThisProgram(recorded.processId);
}

void GiveBackRecord(const CRecoveryRecord& record, CTrayButtons& buttons) {
  for (const CHiddenWindowRecord& recorded : record.windows) {
    if (MayGiveBack(recorded)) ShowWindowAsync(WindowOf(recorded.window), SW_SHOW);
  }
  if (!record.buttonsHidden) return;
  for (const CUnownedButtonRecord& button : record.unownedButtons) {
    buttons.RememberHiddenUnowned({WindowOf(button.toolbar), static_cast<int>(button.commandId), 0});
  }
  // What the exit of the run that hid them would have done.
  buttons.ShowAllTrayButtons();
}
