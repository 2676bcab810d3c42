// The program's own notification icon: added to the notification area,
// replaced, and deleted on every way out, by the object that owns it.
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

class CTrayIcon {
 public:
  CTrayIcon() = default;
  ~CTrayIcon();
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Adds the icon for owner with image and tip (cut to fit). False when the
  // taskbar did not take it; it is tried again when the taskbar comes back.
  bool Add(HWND owner, HICON image, const CString& tip);
  // Gives the icon the taskbar holds another image; tip and messages stay.
  bool Modify(HICON image);
  // A balloon from the icon with the program's own image: a title and a
  // text, cut to what the notification area holds. False when the icon is
  // not there.
  bool ShowBalloon(const CString& title, const CString& text);
  // Asks the taskbar to drop the icon, whether or not it took it.
  void Delete();

  bool IsAdded() const { return m_added; }
  // The tip as the taskbar got it.
  const CString& Tip() const { return m_tip; }

 private:
  HWND m_owner = nullptr;
  bool m_added = false;
  CString m_tip;
};
