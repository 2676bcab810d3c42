#include "switcher/IconToolbars.h"

namespace {

constexpr char kToolbarClass[] = "ToolbarWindow32";

HWND ChildOfClass(HWND parent, const char* className) {
  return parent ? FindWindowExA(parent, nullptr, className, nullptr) : nullptr;
}

}  // namespace

CIconToolbars FindIconToolbarsUnder(HWND taskbar, HWND overflowWindow) {
  CIconToolbars found;
  HWND notifyArea = ChildOfClass(taskbar, "TrayNotifyWnd");
  if (HWND pager = ChildOfClass(notifyArea, "SysPager")) {
    // A toolbar directly under the notification area is then the system's.
    if (HWND toolbar = ChildOfClass(pager, kToolbarClass)) found.toolbars.push_back(toolbar);
  } else if (HWND toolbar = ChildOfClass(notifyArea, kToolbarClass)) {
    found.toolbars.push_back(toolbar);
  }
  if (HWND overflow = ChildOfClass(overflowWindow, kToolbarClass)) found.toolbars.push_back(overflow);

  if (!found.toolbars.empty()) {
    found.lookup = CIconToolbarLookup::kFound;
  } else if (!taskbar) {
    found.lookup = CIconToolbarLookup::kNoTaskbar;
  } else {
    found.lookup = notifyArea ? CIconToolbarLookup::kNoIconToolbar : CIconToolbarLookup::kNoNotifyArea;
  }
  return found;
}

CIconToolbars FindIconToolbars() {
  return FindIconToolbarsUnder(FindWindowA("Shell_TrayWnd", nullptr), FindWindowA("NotifyIconOverflowWindow", nullptr));
}

bool TaskbarHasIconToolbar() { return FindIconToolbars().lookup == CIconToolbarLookup::kFound; }
