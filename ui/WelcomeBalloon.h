// What the balloon of a new user's first start says: that Panorel runs in
// the notification area, which keys switch and move, and that a click on
// the icon switches too.
#pragma once

#include "framework/String.h"
#include "settings/ExtrasSettings.h"

// A combination as the form names it: its modifiers in the form's order,
// then the key, joined by "+" ("Ctrl+Shift+F1").
CString HotKeyText(const CHotKeyCombination& combination);

// The balloon's text, naming the switch key and the move key that are in
// use; null for a key that is not.
CString WelcomeText(const CHotKeyCombination* switchKey, const CHotKeyCombination* moveKey);
