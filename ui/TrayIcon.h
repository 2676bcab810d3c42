// The program's own notification icon.
#pragma once

#include <windows.h>

// Callback message of the notification icon: wParam the icon, lParam the
// mouse message.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;
constexpr UINT TRAY_ICON_ID = 0x0402;

// Broadcast by the taskbar whenever it is (re)created; registered while the
// program starts.
extern const UINT g_uTaskbarCreated;
