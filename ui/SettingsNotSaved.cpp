#include "ui/SettingsNotSaved.h"

#include "framework/Strings.h"
#include "res/StringIds.h"

CStringW SettingsNotSavedText(const CStringW& settingsFile) {
  return FormatText(TextToWide(LoadText(IDS_SETTINGS_NOT_SAVED)), settingsFile);
}
