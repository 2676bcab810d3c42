// The switching engine. A desktop is nothing but a list of window handles:
// switching hides the visible windows of the desktop being left (recording
// the new ones for it) and shows those recorded for the desktop being
// entered. The lists only grow; they are the program's promise to put every
// window back at exit. Only windows this program hid are ever shown again,
// and what it hides is on disk before it is hidden (RecoveryRecord.h), so a
// later run can put it back when this one never reaches its exit.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/AppContext.h"
#include "switcher/DWordArrayEx.h"
#include "switcher/PinnedPrograms.h"
#include "switcher/RecoveryFiles.h"
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

  // One switch to the other desktop. Windows of the pinned programs (the
  // "Pinned" extra) are neither hidden nor recorded.
  void SwitchDesktop();
  // Hides the foreground window, when a switch would hide it, and makes it
  // belong to the other desktop; the window below it becomes active. False
  // when there was nothing to move.
  bool MoveForegroundWindow();
  // At exit: shows every window of both desktops that the switches hid,
  // desktop 2's first.
  void ShowRememberedWindows();
  // At exit: shows every notification button the switches may have hidden.
  void ShowAllTrayButtons() { m_trayButtons.ShowAllTrayButtons(); }
  // The splitting of other programs' notification icons.
  CTrayButtons& TrayButtons() { return m_trayButtons; }

  // At start: gives back what an earlier run hid and never showed again
  // (ended from outside, or its power lost), then forgets its record.
  void RestoreFromEarlierRun();
  // After a clean exit has shown everything: the record is no longer needed.
  void DiscardRecoveryRecord();
  // Puts on disk what the program has hidden now and not shown since, once
  // a switch or a move is over (and whenever a show changes it later), so
  // that the record never names a window the program has shown again.
  void RecordHiddenNow() { SaveRecoveryRecord({}, false); }
  // When the program is going down on an error: queues a show for every
  // window it hid, so that no hung window can hold the rest up, then shows
  // the buttons as the exit does.
  void ShowEverythingOnError();

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
  void FindShellWindows();
  CPinnedPrograms ReadPinnedPrograms() const;
  // Hands a moved window over to the other desktop, on top of its stack.
  void GiveToOtherDesktop(HWND window);

  // Puts on disk every window hidden now or about to be hidden, before the
  // switch hides anything.
  void SaveRecoveryRecord(const std::vector<HWND>& aboutToHide, bool buttonsAboutToHide);
  // Shows the hidden windows of the desktop being entered bottom of its
  // stack first, so that they stack as they did when it was left, and gives
  // the activation back to the window that had it.
  void ShowEnteredDesktop(int to);
  bool IsHiddenByProgram(HWND window) const;
  void MarkHidden(HWND window, bool hidden);

  CDWordArrayEx& WindowsOf(int desktop) { return desktop == 0 ? m_arrDesk1Windows : m_arrDesk2Windows; }

  CAppContext& m_app;
  HWND m_hOwnWindow = nullptr;

  int m_nActiveDesktop = 0;
  CDWordArrayEx m_arrDesk2Windows;
  CDWordArrayEx m_arrDesk1Windows;
  // The desktops' notification-icon owners.
  CTrayButtons m_trayButtons;
  // The listed windows this program hid and has not shown since. A listed
  // window its own program hid stays hidden: showing it would undo that.
  CDWordArrayEx m_arrHiddenByProgram;
  // Each desktop's windows as they stacked when it was last left, top first,
  // and the window that was active then.
  std::vector<HWND> m_stackWhenLeft[2];
  HWND m_activeWhenLeft[2] = {nullptr, nullptr};
  // Set once the icon step has run: from then on buttons may be hidden.
  bool m_bButtonsTouched = false;
  HWND m_hTrayWnd = nullptr;
  HWND m_hProgman = nullptr;
  CRecoveryFiles m_recoveryFiles;
};
