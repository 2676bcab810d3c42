#include "ui/WelcomeBalloon.h"

#include "framework/Strings.h"
#include "res/StringIds.h"
#include "settings/SettingsStore.h"

namespace {

// The form's check boxes, in the order of the modifier bits.
struct ModifierName {
  UINT bit;
  const char* name;
};
constexpr ModifierName kModifierNames[] = {{MOD_ALT, "Alt"}, {MOD_CONTROL, "Ctrl"}, {MOD_SHIFT, "Shift"}, {MOD_WIN, "Win"}};

}  // namespace

CString HotKeyText(const CHotKeyCombination& combination) {
  CString text;
  for (const ModifierName& modifier : kModifierNames) {
    if (combination.modifiers & modifier.bit) text += CString(modifier.name) + "+";
  }
  // The key list holds F1 to F12.
  return text + "F" + IntToText(static_cast<int>(combination.virtualKey - VK_F1) + 1);
}

CString WelcomeText(const CHotKeyCombination* switchKey, const CHotKeyCombination* moveKey) {
  if (!switchKey) return LoadText(IDS_WELCOME_NO_KEY);
  if (!moveKey) return FormatText(LoadText(IDS_WELCOME_SWITCH_KEY), HotKeyText(*switchKey));
  return FormatText(LoadText(IDS_WELCOME_KEYS), HotKeyText(*switchKey), HotKeyText(*moveKey));
}
