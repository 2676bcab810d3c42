#include "ui/SettingsFormRules.h"

#include "res/StringIds.h"
#include "settings/SettingsStore.h"
#include "settings/SetupSettings.h"

UINT HotKeyModifiers(const CSettingsFormState& state) {
  UINT modifiers = 0;
  if (state.alt) modifiers |= MOD_ALT;
  if (state.ctrl) modifiers |= MOD_CONTROL;
  if (state.shift) modifiers |= MOD_SHIFT;
  if (state.win) modifiers |= MOD_WIN;
  return modifiers;
}

UINT HotKeyFromListText(const CString& text) {
  // The number follows the entry's first character, the "F".
  return FunctionKeyFrom((text.IsEmpty() ? 0 : TextToInt(text.Mid(1))) + (VK_F1 - 1));
}

UINT SettingsFormRefusal(const CSettingsFormState& state) {
  if (state.useHotKey && HotKeyModifiers(state) == 0) return IDS_NEED_MODIFIER;
  if (!state.useHotKey && !state.useTray) return IDS_NEED_HOTKEY_OR_TRAY;
  return 0;
}
