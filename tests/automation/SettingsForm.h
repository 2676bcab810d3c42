// The main dialog used as the settings form, operated through its controls
// as a user does.
#pragma once

#include <windows.h>

#include <string>

namespace automation {

// Selects F<number> in the key list; the dialog reads the list's text.
void ChooseKey(HWND dialog, int number);
// Puts a tooltip (code page 936 bytes) into the form, typed in wide.
void SetTip(HWND dialog, const std::string& text);
// Presses apply and waits for the form to go, as it does after an apply
// that went through.
bool Apply(HWND dialog);

}  // namespace automation
