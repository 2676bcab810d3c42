// Reading the taskbar's notification toolbar from outside: it lives in the
// taskbar's process, so each button record is fetched into memory of that
// process and read back from there.
#pragma once

#include <windows.h>

// Modes of CDesktopSwitcher::CollectTrayButtons.
constexpr int TRAYBTN_HIDE_OTHERS = 1;  // record every button, hide all but the program's own
constexpr int TRAYBTN_SHOW_ALL = 2;     // show every button with owner information again

// Results of CollectTrayButtons when the toolbar cannot be reached.
constexpr int TRAYBTN_NO_TASKBAR = -1;
constexpr int TRAYBTN_NO_NOTIFY_AREA = -2;
constexpr int TRAYBTN_NO_TOOLBAR = -3;
constexpr int TRAYBTN_NO_PROCESS_ID = -4;
constexpr int TRAYBTN_NO_PROCESS_ACCESS = -5;

// A toolbar button record as a 32-bit taskbar keeps it.
constexpr SIZE_T kTrayButtonRecordSize = 20;

struct CTrayButtonRecord {
  // What the toolbar's hide message takes; positions shift as the taskbar
  // adds and removes icons, identifiers do not.
  int commandId = 0;
  BYTE state = 0;
  // Address, in the taskbar's process, of the icon's record, whose first
  // four bytes name the icon's owner window.
  DWORD iconRecordAddress = 0;
  // False when the string field is -1: the button's owner is not read.
  bool hasOwnerInfo = false;

  bool IsHidden() const { return (state & 0x08) != 0; }  // TBSTATE_HIDDEN
};

// Decodes the kTrayButtonRecordSize bytes read from the taskbar's process.
CTrayButtonRecord DecodeTrayButtonRecord(const BYTE* bytes);
