#include "tests/automation/Driving.h"

#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace automation {

void CloseOwnDialogs() {
  for (HWND window : TopLevelWindowsOf(GetCurrentProcessId())) {
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (!IsWindowVisible(window) || std::string(className) != "#32770") continue;
    PostMessageA(window, WM_COMMAND, GetDlgItem(window, 0xFFFF) ? IDOK : IDCANCEL, 0);
  }
  PumpFor(200);
}

std::string AnswerMessageBox(DWORD timeoutMs) {
  HWND box = WaitForMessageBox(GetCurrentProcessId(), timeoutMs);
  if (!box) return "";
  const std::string text = MessageBoxText(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
  return text;
}

HWND WaitForOwnDialog(const char* title, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(GetCurrentProcessId())) {
          if (!IsWindowVisible(window) || GetDlgItem(window, 0xFFFF)) continue;
          char className[64] = "";
          GetClassNameA(window, className, sizeof className);
          if (std::string(className) == "#32770" && TextOf(window) == title) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

}  // namespace automation
