// The settings form's decisions, apart from its windows: what the checked
// boxes and the key list mean as a hotkey, and whether the form may be
// applied at all.
#pragma once

#include <windows.h>

#include "framework/String.h"

// What the form shows at the moment apply is pressed.
struct CSettingsFormState {
  bool useHotKey = false;
  bool alt = false;
  bool ctrl = false;
  bool shift = false;
  bool win = false;
  // The key list's current text, "F1" … "F12" (empty when nothing is shown).
  CString keyText;
  bool useTray = false;
  CString tip;
  // Absent when the form has no such box: then the setting is left alone.
  bool hasOtherIconsBox = false;
  bool splitOtherIcons = false;
};

// The modifier mask of the checked boxes: MOD_ALT, MOD_CONTROL, MOD_SHIFT,
// MOD_WIN, the bits the settings file stores.
UINT HotKeyModifiers(const CSettingsFormState& state);

// The virtual key an entry of the key list stands for: "F<n>" is 111 + n.
// Any text that names no key from F1 to F12 gives F1.
UINT HotKeyFromListText(const CString& text);

// The string id of the message that refuses to apply the form, or 0 when
// the form may be applied: a hotkey needs a modifier, so that it does not
// take a plain function key from every other program, and with neither the
// hotkey nor the notification icon the program could not be reached again.
UINT SettingsFormRefusal(const CSettingsFormState& state);
