// Where the taskbar keeps the programs' notification icons. Taskbars differ:
//   "Shell_TrayWnd" -> "TrayNotifyWnd" -> "ToolbarWindow32"             the oldest;
//   "Shell_TrayWnd" -> "TrayNotifyWnd" -> "SysPager" -> "ToolbarWindow32" the programs'
//       icons, with, on later taskbars, a "ToolbarWindow32" directly under
//       "TrayNotifyWnd" beside the pager that holds the system's own icons
//       (clock, volume, network) and is never touched;
//   "NotifyIconOverflowWindow" -> "ToolbarWindow32"                     the icons the
//       user moved out of sight;
//   no toolbar at all on the newest taskbars, which draw the area themselves.
// The toolbar beside a pager is told apart by this structure, not by its
// window text, which the system translates.
#pragma once

#include <windows.h>

#include <vector>

// How far the lookup got.
enum class CIconToolbarLookup {
  kFound,          // at least one programs' icon toolbar
  kNoTaskbar,      // no "Shell_TrayWnd"
  kNoNotifyArea,   // the taskbar has no "TrayNotifyWnd" (the newest taskbars)
  kNoIconToolbar,  // a notification area without a programs' toolbar
};

struct CIconToolbars {
  CIconToolbarLookup lookup = CIconToolbarLookup::kNoTaskbar;
  // The notification area's programs' toolbar first, then the overflow's.
  std::vector<HWND> toolbars;
};

// The programs' icon toolbars under the given windows, either of which may
// be null.
CIconToolbars FindIconToolbarsUnder(HWND taskbar, HWND overflowWindow);
// The same for the windows that the session's taskbar has now.
CIconToolbars FindIconToolbars();
// Whether other programs' icons can be split on this taskbar at all.
bool TaskbarHasIconToolbar();
