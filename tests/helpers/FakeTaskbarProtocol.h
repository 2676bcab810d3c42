// How a test talks to the fake taskbar (helper_taskbar.exe): its command
// line, and messages sent to its message-only control window, each answered
// synchronously.
//
// Command line: helper_taskbar.exe [--structure=full|no-toolbar|no-notify-area] <log file>
// Every WM_COPYDATA that reaches the taskbar window (the platform's
// Shell_NotifyIcon sends them there) appends one line to the log file:
//   NIM <code> hwnd=<8 hex digits> uid=<hex> flags=<hex> callback=<hex> tip=<tip in the ANSI code page>\r\n
#pragma once

#include <windows.h>

namespace taskbar {

constexpr char kControlClass[] = "PanorelTestFakeTaskbar";

// What lies under the "Shell_TrayWnd" window.
constexpr char kStructureOption[] = "--structure=";
constexpr char kFull[] = "full";                   // TrayNotifyWnd -> ToolbarWindow32
constexpr char kNoToolbar[] = "no-toolbar";        // TrayNotifyWnd with a child of another class
constexpr char kNoNotifyArea[] = "no-notify-area"; // no TrayNotifyWnd at all

// Returns the "Shell_TrayWnd" window.
constexpr UINT kGetTaskbar = WM_APP + 1;

}  // namespace taskbar
