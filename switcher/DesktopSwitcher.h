// The switching engine. A desktop is nothing but a list of window handles:
// switching hides the visible windows of the desktop being left (recording
// the new ones for it) and shows those recorded for the desktop being
// entered. The lists only grow; they are the program's promise to put every
// window back at exit. Only windows this program hid are ever shown again,
// and what it hides is on disk before it is hidden (RecoveryRecord.h), so a
// later run can put it back when this one never reaches its exit.
#pragma once

#include <windows.h>

#include <memory>
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

  bool IsSwitchable(HWND window) const;
  // True while a switch or a move is under way: it waits for other programs'
  // answers, and what reaches this thread meanwhile must not start another.
  bool IsBusy() const { return m_bBusy; }

  int ActiveDesktop() const { return m_nActiveDesktop; }
  const CDWordArrayEx& Desk1Windows() const { return m_arrDesk1Windows; }
  const CDWordArrayEx& Desk2Windows() const { return m_arrDesk2Windows; }
  const CDWordArrayEx& Desk1Icons() const { return m_trayButtons.IconsOf(0); }
  const CDWordArrayEx& Desk2Icons() const { return m_trayButtons.IconsOf(1); }

 private:
  // Gathers the top-level windows in the order the platform lists them.
  static BOOL CALLBACK SwitchEnumProc(HWND window, LPARAM param);
  // The windows a switch to desktop to asks at once: those it may show,
  // bottom of their stack first, and those it may hide, bottom up.
  std::vector<HWND> WindowsToShow(int to) const;
  std::vector<HWND> WindowsToHide(const std::vector<HWND>& topLevel, int to) const;
  // Shows and hides as the answers come, each list in its order, and waits
  // until the changes are seen or the deadline passes. *hidden gets the
  // windows it hid, *answered those of toHide that answered at all.
  void ShowAndHideAsAnswered(const std::vector<HWND>& toShow, const std::vector<HWND>& toHide, DWORD deadline,
                             std::vector<HWND>* hidden, std::vector<HWND>* answered);
  // A window's show or hide, queued as soon as it answered 0.
  void ShowAnswered(HWND window, std::vector<HWND>* shown);
  void HideAnswered(HWND window, std::vector<HWND>* hidden);
  // A reply to a window's ping that came after its switch stopped waiting.
  void OnLateReply(HWND window, LRESULT reply, unsigned switchNumber);
  // Shows windows at exit or after an earlier run: each that answers 0 or
  // does not answer in time, so that none is left hidden and none waits on
  // another; waits until they are seen or the deadline passes.
  void ShowAllAtOnce(const std::vector<HWND>& windows);
  void FindShellWindows();
  CPinnedPrograms ReadPinnedPrograms() const;
  // Hands a moved window over to the other desktop, on top of its stack.
  void GiveToOtherDesktop(HWND window);

  // Puts on disk every window hidden now or about to be hidden, before the
  // switch hides anything.
  void SaveRecoveryRecord(const std::vector<HWND>& aboutToHide, bool buttonsAboutToHide);
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

  bool m_bBusy = false;
  // Set when the exit comes while a switch waits for answers: that switch
  // hides nothing more.
  bool m_bStopHiding = false;
  // Counts the switches, so that a late reply knows whether the desktop it
  // was asked for is still the one entered last.
  unsigned m_nSwitchNumber = 0;
  // Late replies reach the engine only while it lives.
  std::shared_ptr<char> m_lifetime = std::make_shared<char>();

  CRecoveryFiles m_recoveryFiles;
};
