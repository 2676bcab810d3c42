// The switching engine. A desktop is nothing but a list of window handles:
// switching hides the visible windows of the desktop being left (recording
// the new ones for it) and shows those recorded for the desktop being
// entered. The lists only grow; they are the program's promise to put every
// window back at exit.
#pragma once

#include <windows.h>

#include <vector>

#include "settings/AppContext.h"
#include "switcher/DWordArrayEx.h"
#include "switcher/TrayButtons.h"

class CDesktopSwitcher {
 public:
  explicit CDesktopSwitcher(CAppContext& app);
  CDesktopSwitcher(const CDesktopSwitcher&) = delete;
  CDesktopSwitcher& operator=(const CDesktopSwitcher&) = delete;

  // The program's own window: never switched, and the owner of its own
  // notification icon.
  void SetOwnWindow(HWND window) {
    m_hOwnWindow = window;
    m_trayButtons.SetOwnWindow(window);
  }

  // One switch to the other desktop.
  void SwitchDesktop();
  // At exit: shows every remembered window of both desktops again, desktop
  // 2's first.
  void ShowRememberedWindows();
  // At exit: shows every notification button the switches may have hidden.
  void ShowAllTrayButtons() { m_trayButtons.ShowAllTrayButtons(); }
  // The splitting of other programs' notification icons.
  CTrayButtons& TrayButtons() { return m_trayButtons; }

  // Pings window with WM_NULL and, when it answers 0, applies the command.
  // False when it did not answer in time.
  bool ShowIfResponsive(HWND window, int command);
  bool IsSwitchable(HWND window) const;

  int ActiveDesktop() const { return m_nActiveDesktop; }
  const CDWordArrayEx& Desk1Windows() const { return m_arrDesk1Windows; }
  const CDWordArrayEx& Desk2Windows() const { return m_arrDesk2Windows; }
  const CDWordArrayEx& Desk1Icons() const { return m_trayButtons.IconsOf(0); }
  const CDWordArrayEx& Desk2Icons() const { return m_trayButtons.IconsOf(1); }

 private:
  // Gathers the top-level windows in the order the platform lists them.
  static BOOL CALLBACK SwitchEnumProc(HWND window, LPARAM param);
  // The switch's treatment of one top-level window found visible; true when
  // it is new and answered, so that it belongs to the desktop being left.
  bool SwitchWindow(HWND window);
  void ShowListForExit(const CDWordArrayEx& windows);

  CDWordArrayEx& WindowsOf(int desktop) { return desktop == 0 ? m_arrDesk1Windows : m_arrDesk2Windows; }

  CAppContext& m_app;
  HWND m_hOwnWindow = nullptr;

  int m_nActiveDesktop = 0;
  CDWordArrayEx m_arrDesk2Windows;
  CDWordArrayEx m_arrDesk1Windows;
  // The desktops' notification-icon owners.
  CTrayButtons m_trayButtons;
  HWND m_hTrayWnd = nullptr;
  HWND m_hProgman = nullptr;
};
