// The settings form's decisions on their own: the key a list text names,
// the modifier mask, and which forms are refused with which message.
#include <gtest/gtest.h>

#include "res/StringIds.h"
#include "settings/SettingsStore.h"
#include "ui/SettingsFormRules.h"

namespace {

TEST(SettingsFormRulesTest, EachListEntryNamesItsFunctionKey) {
  for (int number = 1; number <= 12; ++number) {
    EXPECT_EQ(HotKeyFromListText("F" + IntToText(number)), static_cast<UINT>(VK_F1 + number - 1)) << number;
  }
}

TEST(SettingsFormRulesTest, TextThatNamesNoFunctionKeyGivesF1) {
  for (const char* text : {"", "F", "F0", "F13", "F-3", "Fx", "X"}) {
    EXPECT_EQ(HotKeyFromListText(text), static_cast<UINT>(VK_F1)) << text;
  }
}

TEST(SettingsFormRulesTest, TheMaskHasOneBitPerCheckedModifier) {
  CSettingsFormState state;
  EXPECT_EQ(HotKeyModifiers(state), 0u);
  state.alt = state.ctrl = true;
  EXPECT_EQ(HotKeyModifiers(state), 3u);
  state = {};
  state.win = true;
  EXPECT_EQ(HotKeyModifiers(state), 8u);
  state.shift = state.alt = state.ctrl = true;
  EXPECT_EQ(HotKeyModifiers(state), 15u);
}

TEST(SettingsFormRulesTest, AHotKeyWithoutModifierOrNeitherWayInIsRefused) {
  CSettingsFormState state;
  state.useHotKey = true;
  state.useTray = true;
  EXPECT_EQ(SettingsFormRefusal(state), static_cast<UINT>(IDS_NEED_MODIFIER)) << "even with the icon on";
  state.shift = true;
  EXPECT_EQ(SettingsFormRefusal(state), 0u);
  state.useTray = false;
  EXPECT_EQ(SettingsFormRefusal(state), 0u) << "the hotkey alone will do";

  CSettingsFormState iconOnly;
  iconOnly.useTray = true;
  EXPECT_EQ(SettingsFormRefusal(iconOnly), 0u) << "modifiers do not matter without the hotkey";
  iconOnly.useTray = false;
  EXPECT_EQ(SettingsFormRefusal(iconOnly), static_cast<UINT>(IDS_NEED_HOTKEY_OR_TRAY));
}

}  // namespace
