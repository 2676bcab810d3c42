#include "settings/ExtrasSettings.h"

#include "settings/SettingsStore.h"
#include "settings/SetupSettings.h"

CHotKeyCombination MoveHotKeyFor(const CHotKeyCombination& switchKey) {
  const UINT added = (switchKey.modifiers & MOD_SHIFT) ? MOD_ALT : MOD_SHIFT;
  return {switchKey.modifiers | added, switchKey.virtualKey};
}

CHotKeyCombination ReadMoveHotKey(const CStringW& file, const CHotKeyCombination& switchKey) {
  CHotKeyCombination move = MoveHotKeyFor(switchKey);
  const CString modifiers = PeekSetting(file, setting::kMoveHotKeyFlags);
  if (!modifiers.IsEmpty()) move.modifiers = ModifiersFromSetting(modifiers);
  const CString key = PeekSetting(file, setting::kMoveHotKey);
  if (!key.IsEmpty()) move.virtualKey = FunctionKeyFrom(TextToInt(key));
  return move;
}

bool ReadShowDesktopNumber(const CStringW& file) {
  // Only an explicit "N" turns it off: the extra is on unless asked.
  return PeekSetting(file, setting::kShowDesktopNumber) != "N";
}
