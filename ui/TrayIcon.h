// The program's own notification icon.
#pragma once

#include <windows.h>

#include "framework/String.h"

// Callback message of the notification icon: wParam the icon, lParam the
// mouse message.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;
constexpr UINT TRAY_ICON_ID = 0x0402;

// Broadcast by the taskbar whenever it is (re)created; registered while the
// program starts.
extern const UINT g_uTaskbarCreated;

// The tooltip as the notification area can hold it: at most 63 bytes, cut
// before a double-byte character that would not fit whole.
CString FitTrayTip(const CString& tip);

// Icon number index of file, or null. Index -1 asks the platform for the
// number of icons instead of an icon, so it never yields one.
HICON ExtractIconFrom(const CString& file, int index);
