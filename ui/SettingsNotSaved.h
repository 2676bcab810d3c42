// The message that the settings file could not be written, naming it. The
// path may hold characters that code page 936 cannot: the text is wide.
#pragma once

#include "framework/WideString.h"

CStringW SettingsNotSavedText(const CStringW& settingsFile);
