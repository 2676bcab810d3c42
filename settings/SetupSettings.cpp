#include "settings/SetupSettings.h"

namespace {

// MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN: the bits the file may hold.
constexpr UINT kKnownModifiers = 0x0F;

}  // namespace

UINT ModifiersFromSetting(const CString& text) {
  const UINT modifiers = static_cast<UINT>(TextToInt(text)) & kKnownModifiers;
  return modifiers == 0 ? MOD_CONTROL : modifiers;
}

UINT FunctionKeyFrom(int virtualKey) {
  return (virtualKey < VK_F1 || virtualKey > VK_F12) ? VK_F1 : static_cast<UINT>(virtualKey);
}

CSetupSettings ReadSetupSettings(const CStringW& file, const CStringW& programPath, const CString& mainTitle) {
  CSetupSettings settings;
  settings.icon = SplitIconSetting(ReadSetting(file, setting::kIcon, JoinIconSetting(programPath, 0)));
  settings.modifiers = ModifiersFromSetting(ReadSetting(file, setting::kHotKeyFlags));
  settings.virtualKey = FunctionKeyFrom(TextToInt(ReadSetting(file, setting::kHotKey)));
  settings.useHotKey = IsYes(ReadSetting(file, setting::kUseHotKey));
  settings.useIcon = IsYes(ReadSetting(file, setting::kUseIcon));
  settings.tip = ReadSetting(file, setting::kIconTitle, mainTitle);
  settings.splitOtherIcons = IsYes(ReadSetting(file, setting::kHideElseIcon));
  return settings;
}
