// How a test talks to the fake taskbar (helper_taskbar.exe): its command
// line, and messages sent to its message-only control window, each answered
// synchronously.
//
// Command line: helper_taskbar.exe [--structure=<one of the structures below>] <log file>
// The same program is also built for 64-bit systems (helper_taskbar64.exe);
// there it keeps the icons' records above 4 GB, as 64-bit taskbars do.
// Every WM_COPYDATA that reaches the taskbar window (the platform's
// Shell_NotifyIcon sends them there) appends one line to the log file:
//   NIM <code> hwnd=<8 hex digits> uid=<hex> flags=<hex> callback=<hex> [icon=<w>x<h>:<checksum> ]tip=<tip in the ANSI code page>\r\n
// where the icon field is there only when the call carries an icon's bits:
// equal checksums mean the same image.
#pragma once

#include <windows.h>

namespace taskbar {

constexpr char kControlClass[] = "PanorelTestFakeTaskbar";

// What lies under the "Shell_TrayWnd" window.
constexpr char kStructureOption[] = "--structure=";
constexpr char kFull[] = "full";                   // TrayNotifyWnd -> ToolbarWindow32
constexpr char kPager[] = "pager";                 // TrayNotifyWnd -> SysPager -> ToolbarWindow32
// TrayNotifyWnd -> ToolbarWindow32 holding the system's icons, beside
// TrayNotifyWnd -> SysPager -> ToolbarWindow32 holding the programs'; and a
// top-level NotifyIconOverflowWindow -> ToolbarWindow32 with more of theirs.
constexpr char kSystemAndOverflow[] = "system-and-overflow";
constexpr char kNoToolbar[] = "no-toolbar";        // TrayNotifyWnd with a child of another class
// No TrayNotifyWnd at all: a child of the class the newest taskbars draw
// their notification area with.
constexpr char kNoNotifyArea[] = "no-notify-area";

// Returns the "Shell_TrayWnd" window.
constexpr UINT kGetTaskbar = WM_APP + 1;

// How a button is added (bits of kAddButton's lParam).
constexpr LPARAM kNoOwnerInfo = 1;          // its string field is -1
constexpr LPARAM kHidden = 2;               // the taskbar hides it from the start
constexpr LPARAM kUnreadableIconRecord = 4; // its application data points at no readable memory
constexpr LPARAM kInOverflow = 8;           // into the overflow window's toolbar
constexpr LPARAM kInSystemArea = 16;        // into the system's toolbar

// wParam: the owner window named in the button's icon record; lParam: the
// bits above. Appends a button and returns its command identifier, which
// never equals a position of a toolbar and is unique among all toolbars; 0
// when the structure has no such toolbar.
constexpr UINT kAddButton = WM_APP + 2;
// wParam: a command identifier. Removes that button; the ones after it move
// up a position. TRUE on success.
constexpr UINT kRemoveButton = WM_APP + 3;
// wParam: a command identifier. 1 when the button is hidden, 0 when shown,
// -1 when there is no such button.
constexpr UINT kIsHidden = WM_APP + 4;
// wParam: a command identifier, lParam: TRUE to hide. The taskbar's own
// doing, as when a program asks it to hide an icon.
constexpr UINT kSetHidden = WM_APP + 5;
// wParam: one of the toolbars below. Returns its window, or 0.
constexpr UINT kGetToolbar = WM_APP + 6;
constexpr WPARAM kProgramsToolbar = 0;
constexpr WPARAM kOverflowToolbar = 1;
constexpr WPARAM kSystemToolbar = 2;

}  // namespace taskbar
