// Telling the user that the settings file could not be written, naming it.
// The path may hold characters that code page 936 cannot: the text is built
// and shown wide.
#pragma once

#include <windows.h>

#include "framework/WideString.h"

// The message with the file's full path in it.
CStringW SettingsNotSavedText(const CStringW& settingsFile);
// A warning box owned by owner, under the caption of the program's messages.
void ShowSettingsNotSaved(HWND owner, const CStringW& settingsFile);
