// The "Extras" section: what the settings form does not show. The program
// reads it and never writes it; with it absent the program behaves as if
// the extras did not exist.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "framework/WideString.h"

struct CHotKeyCombination {
  UINT modifiers = 0;
  UINT virtualKey = 0;
};

// The key that moves the active window to the other desktop. Each value the
// file leaves out follows the switch combination: its key, and its
// modifiers plus Shift, or plus Alt when they already hold Shift.
CHotKeyCombination ReadMoveHotKey(const CStringW& file, const CHotKeyCombination& switchKey);
CHotKeyCombination MoveHotKeyFor(const CHotKeyCombination& switchKey);

// Whether the notification icon shows the active desktop's number.
bool ReadShowDesktopNumber(const CStringW& file);
