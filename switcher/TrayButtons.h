// Other programs' notification icons split between the two desktops like
// windows: the buttons of the taskbar's programs' icon toolbars (however
// many the taskbar has, IconToolbars.h) are hidden and shown from outside,
// and their owner windows are recorded for the desktop they were seen on.
#pragma once

#include <windows.h>

#include <vector>

#include "switcher/DWordArrayEx.h"

class CTrayToolbarReader;

// Modes of CTrayButtons::CollectTrayButtons.
constexpr int TRAYBTN_HIDE_OTHERS = 1;  // record every button, hide all but the program's own
constexpr int TRAYBTN_SHOW_ALL = 2;     // show every button with owner information again

// How far a collection got.
enum class CTrayReach {
  kRead,            // at least one programs' icon toolbar was read
  kNoTaskbar,       // no taskbar window
  kNoNotifyArea,    // a taskbar without a notification area (the newest taskbars)
  kNoIconToolbar,   // a notification area without a programs' icon toolbar
  kNoProcessId,     // the toolbars' process could not be named
  kNoProcessAccess  // nor opened
};

// One button of a programs' icon toolbar.
struct CTrayButton {
  HWND toolbar = nullptr;
  int commandId = 0;
  // Its owner window; 0 for the program's own icon, a button without owner
  // information and a button whose records could not be read.
  DWORD owner = 0;
};

struct CTrayCollection {
  CTrayReach reach = CTrayReach::kNoTaskbar;
  // The buttons of all the programs' icon toolbars as one set: every button
  // whose record was read in mode TRAYBTN_HIDE_OTHERS, those shown again in
  // mode TRAYBTN_SHOW_ALL.
  std::vector<CTrayButton> buttons;
};

class CTrayButtons {
 public:
  CTrayButtons() = default;
  CTrayButtons(const CTrayButtons&) = delete;
  CTrayButtons& operator=(const CTrayButtons&) = delete;

  // The program's own window, the owner of its own notification icon.
  void SetOwnWindow(HWND window) { m_hOwnWindow = window; }

  // The icon step of a switch from desktop from (0 or 1) to desktop to.
  void SwitchTrayIcons(int from, int to);
  // At exit: shows every button the switches may have hidden.
  void ShowAllTrayButtons();

  // Reads the buttons of the programs' icon toolbars and hides or shows
  // them by mode.
  CTrayCollection CollectTrayButtons(int mode);
  // Makes the taskbar lay out its notification area again after buttons were
  // hidden or shown from outside.
  void RefreshTrayArea();

  // Buttons without owner information that the switches hid, and the
  // taking over of those an earlier run hid, so that the exit shows them.
  const std::vector<CTrayButton>& HiddenUnownedButtons() const { return m_hiddenUnowned; }
  void RememberHiddenUnowned(const CTrayButton& button);

  // The owners recorded for desktop (0 or 1).
  const CDWordArrayEx& IconsOf(int desktop) const { return desktop == 0 ? m_arrDesk1Icons : m_arrDesk2Icons; }

 private:
  // Collects the buttons of one toolbar into buttons.
  void CollectFrom(const CTrayToolbarReader& reader, HWND toolbar, int mode, std::vector<CTrayButton>* buttons);
  CDWordArrayEx& OwnersOf(int desktop) { return desktop == 0 ? m_arrDesk1Icons : m_arrDesk2Icons; }
  bool IsHiddenUnowned(const CTrayButton& button) const;

  HWND m_hOwnWindow = nullptr;
  CDWordArrayEx m_arrDesk2Icons;
  CDWordArrayEx m_arrDesk1Icons;
  // Buttons without owner information that the icon step hid: no desktop
  // claims them, so only the exit shows them again.
  std::vector<CTrayButton> m_hiddenUnowned;
};
