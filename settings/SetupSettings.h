// The "Setup" section as the program uses it: every value read in the order
// a fresh file receives its defaults, and turned into what it means.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "settings/SettingsStore.h"

struct CSetupSettings {
  CIconSource icon;
  UINT modifiers = MOD_CONTROL;
  UINT virtualKey = VK_F1;
  bool useHotKey = true;
  bool useIcon = true;
  CString tip;
  bool splitOtherIcons = false;
};

// Reads the section; a missing or empty value gets its default, which is
// written to the file. The icon's default is the program's own first icon,
// the tip's the main title.
CSetupSettings ReadSetupSettings(const CStringW& file, const CStringW& programPath, const CString& mainTitle);

// The stored modifier bits as a hotkey's modifiers: only the four known
// bits count, and none at all means Ctrl.
UINT ModifiersFromSetting(const CString& text);
// A stored key, or a key list's number, as a function key: anything but
// F1 … F12 means F1.
UINT FunctionKeyFrom(int virtualKey);
