// The settings form of the real program, operated through its controls as a
// user would: what apply puts into effect and into the settings file, what
// it refuses, and what the icon button and cancel leave alone.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "res/IconPickerDlgIds.h"
#include "res/SwitcherDlgIds.h"
#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/SettingsForm.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

constexpr char kNeedModifier[] = "请至少选定一个控制键,以避免与其它程序冲突,谢谢!";
constexpr char kNeedHotKeyOrTray[] = "请至少选择热键或托盘图标中的一项,程序才可以正常运行,谢谢!";
constexpr char kFallBackToTray[] = "无法正常注册热键,改为使用托盘图标,谢谢!";
constexpr char kHotKeyRefused[] = "无法注册您所使用的热键,请重新设置";
constexpr char kPickerTitle[] = "更改图标";
constexpr char kShell32[] = "C:\\windows\\system32\\shell32.dll";

// Clicks a check box until it shows the wanted state, so that the dialog
// hears of the change as it would from a user.
bool SetChecked(HWND dialog, int id, bool checked) {
  if (IsChecked(dialog, id) == checked) return true;
  Click(dialog, id);
  return WaitUntil([&] { return IsChecked(dialog, id) == checked; }, 3000);
}

// Checks exactly the boxes of the modifiers in mask.
bool SetModifiers(HWND dialog, UINT mask) {
  return SetChecked(dialog, IDC_CHECK_ALT, mask & MOD_ALT) && SetChecked(dialog, IDC_CHECK_CTRL, mask & MOD_CONTROL) &&
         SetChecked(dialog, IDC_CHECK_SHIFT, mask & MOD_SHIFT) && SetChecked(dialog, IDC_CHECK_WIN, mask & MOD_WIN);
}

struct AnsweredBox {
  std::string caption;
  std::string text;
};

// Waits for a message box of the program, reads it and presses OK; waits
// for it to go, so that the next box found is a new one.
AnsweredBox AnswerBox(DWORD processId) {
  HWND box = WaitForMessageBox(processId);
  if (!box) return {"<none>", "<none>"};
  AnsweredBox answered{TextOf(box), MessageBoxText(box)};
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitUntil([&] { return !IsWindowVisible(box); }, 5000);
  return answered;
}

struct AppliedHotKey {
  UINT modifiers;
  int keyNumber;
  bool switchOtherIcons;
  std::initializer_list<WORD> pressedModifiers;
  const char* storedFlags;
  const char* storedKey;
};

TEST(SettingsFormApplyTest, TheChosenHotKeyIsWrittenHidesTheFormAndSwitchesFromThenOn) {
  const AppliedHotKey cases[] = {
      {MOD_ALT | MOD_CONTROL, 5, true, {VK_MENU, VK_CONTROL}, "3", "116"},
      {MOD_WIN, 12, false, {VK_LWIN}, "8", "123"},
  };
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  // One whose icons can be split: elsewhere ticking the option tells so.
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  for (const AppliedHotKey& chosen : cases) {
    SCOPED_TRACE(chosen.storedFlags);
    HWND window = farm.Open();
    RunningPanorel panorel;
    HWND dialog = panorel.Dialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(panorel.ShowBySecondStart());

    ASSERT_TRUE(SetModifiers(dialog, chosen.modifiers));
    ChooseKey(dialog, chosen.keyNumber);
    ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_OTHER_ICONS, chosen.switchOtherIcons));
    ASSERT_TRUE(Apply(dialog)) << "the form hides after an apply";

    PanorelInstance& instance = panorel.Instance();
    EXPECT_EQ(instance.ReadIni("Setup", "HotKeyFlags"), chosen.storedFlags);
    EXPECT_EQ(instance.ReadIni("Setup", "HotKey"), chosen.storedKey);
    EXPECT_EQ(instance.ReadIni("Setup", "UseHotKey"), "Y");
    EXPECT_EQ(instance.ReadIni("Setup", "UseIcon"), "Y");
    EXPECT_EQ(instance.ReadIni("Setup", "Icon"), instance.ExePath() + ",0");
    EXPECT_EQ(instance.ReadIni("Setup", "IconTitle"), kMainTitle);
    EXPECT_EQ(instance.ReadIni("Setup", "HideElseIcon"), chosen.switchOtherIcons ? "Y" : "N");

    EXPECT_FALSE(IsHotKeyTaken(MOD_CONTROL, VK_F1)) << "the old hotkey is released";
    // The move key, left unset, follows: the new combination plus Shift.
    EXPECT_FALSE(IsHotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F1)) << "the old move key is released";
    EXPECT_TRUE(IsHotKeyTaken(chosen.modifiers | MOD_SHIFT, VK_F1 + chosen.keyNumber - 1));
    PressKeys(chosen.pressedModifiers, static_cast<WORD>(VK_F1 + chosen.keyNumber - 1));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 5000)) << "the new hotkey switches";
  }
}

TEST(SettingsFormApplyTest, ApplyingTwiceWritesTheSameAndKeepsTheHotKey) {
  RunningPanorel panorel({{"HotKeyFlags", "6"}, {"HotKey", "120"}, {"IconTitle", "我的提示"}});
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);

  ASSERT_TRUE(panorel.ShowBySecondStart());
  ASSERT_TRUE(Apply(dialog));
  const std::string afterFirst = panorel.Instance().IniText();
  EXPECT_NE(afterFirst.find("HotKeyFlags=6\r\n"), std::string::npos);
  EXPECT_NE(afterFirst.find("HotKey=120\r\n"), std::string::npos);
  EXPECT_NE(afterFirst.find("IconTitle=我的提示\r\n"), std::string::npos);
  EXPECT_TRUE(IsHotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9));

  ASSERT_TRUE(panorel.ShowBySecondStart());
  ASSERT_TRUE(Apply(dialog));
  EXPECT_EQ(panorel.Instance().IniText(), afterFirst);
  EXPECT_TRUE(IsHotKeyTaken(MOD_CONTROL | MOD_SHIFT, VK_F9)) << "removed and registered again";
}

TEST(SettingsFormApplyTest, HotKeyOffReleasesItAndKeepsTheStoredCombination) {
  RunningPanorel panorel({{"HotKeyFlags", "5"}, {"HotKey", "118"}});
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(IsHotKeyTaken(MOD_ALT | MOD_SHIFT, VK_F7));
  ASSERT_TRUE(panorel.ShowBySecondStart());

  // Edits to the combination do not count once the hotkey is off.
  ASSERT_TRUE(SetModifiers(dialog, MOD_CONTROL | MOD_WIN));
  ChooseKey(dialog, 9);
  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_HOTKEY, false));
  ASSERT_TRUE(Apply(dialog));

  PanorelInstance& instance = panorel.Instance();
  EXPECT_EQ(instance.ReadIni("Setup", "UseHotKey"), "N");
  EXPECT_EQ(instance.ReadIni("Setup", "UseIcon"), "Y");
  EXPECT_EQ(instance.ReadIni("Setup", "HotKeyFlags"), "5");
  EXPECT_EQ(instance.ReadIni("Setup", "HotKey"), "118");
  EXPECT_FALSE(IsHotKeyTaken(MOD_ALT | MOD_SHIFT, VK_F7));
  EXPECT_FALSE(IsHotKeyTaken(MOD_CONTROL | MOD_WIN, VK_F9));
}

TEST(SettingsFormApplyTest, IconOffRemovesTheIconAndSavesNoTooltipAndAnEmptyTooltipIsSavedEmpty) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  RunningPanorel panorel({{"IconTitle", "旧的提示"}});
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);
  PanorelInstance& instance = panorel.Instance();
  auto lastIconCall = [&] {
    const std::vector<std::string> calls = taskbar.CallsFor(dialog, 0x402);
    return calls.empty() ? std::string() : calls.back();
  };
  ASSERT_EQ(lastIconCall().rfind("NIM 0 ", 0), 0u) << "the icon is there at start";

  ASSERT_TRUE(panorel.ShowBySecondStart());
  SetTip(dialog, "新的提示");
  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_TRAY, false));
  ASSERT_TRUE(Apply(dialog));
  EXPECT_EQ(instance.ReadIni("Setup", "UseIcon"), "N");
  EXPECT_EQ(instance.ReadIni("Setup", "IconTitle"), "旧的提示");
  EXPECT_EQ(instance.ReadIni("Setup", "UseHotKey"), "Y");
  EXPECT_TRUE(IsHotKeyTaken(MOD_CONTROL, VK_F1)) << "the hotkey alone carries on";
  EXPECT_EQ(lastIconCall().rfind("NIM 2 ", 0), 0u) << "the icon has left the notification area: " << lastIconCall();

  ASSERT_TRUE(panorel.ShowBySecondStart());
  EXPECT_EQ(ItemText(dialog, IDC_EDIT_TIP), "旧的提示") << "the tip in the file, not the one left unsaved";
  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_TRAY, true));
  SetTip(dialog, "");
  ASSERT_TRUE(Apply(dialog));
  EXPECT_EQ(instance.ReadIni("Setup", "UseIcon"), "Y");
  EXPECT_NE(instance.IniText().find("\r\nIconTitle=\r\n"), std::string::npos) << "saved empty";
  EXPECT_EQ(lastIconCall().rfind("NIM 0 ", 0), 0u) << "the icon is back";
  EXPECT_EQ(TipOfCall(lastIconCall()), kMainTitle) << "an empty tip shows the title";
}

TEST(SettingsFormRefusalTest, NoModifierOrNeitherWayInIsRefusedWithItsMessageAndNothingChanges) {
  // The message boxes carry the program file's name, whatever it is.
  RunningPanorel panorel({}, "Swapper.exe");
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);
  const DWORD processId = panorel.Instance().process().Id();
  ASSERT_TRUE(panorel.ShowBySecondStart());
  const std::string before = panorel.Instance().IniText();

  ASSERT_TRUE(SetModifiers(dialog, 0));
  ChooseKey(dialog, 3);
  Click(dialog, IDC_BUTTON_OK);
  AnsweredBox box = AnswerBox(processId);
  EXPECT_EQ(box.text, kNeedModifier);
  EXPECT_EQ(box.caption, "Swapper");
  EXPECT_TRUE(IsWindowVisible(dialog)) << "the form stays open";
  EXPECT_EQ(panorel.Instance().IniText(), before);
  EXPECT_TRUE(IsHotKeyTaken(MOD_CONTROL, VK_F1)) << "the hotkey in effect stays";

  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_HOTKEY, false));
  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_TRAY, false));
  Click(dialog, IDC_BUTTON_OK);
  box = AnswerBox(processId);
  EXPECT_EQ(box.text, kNeedHotKeyOrTray);
  EXPECT_EQ(box.caption, "Swapper");
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(panorel.Instance().IniText(), before);
  EXPECT_TRUE(IsHotKeyTaken(MOD_CONTROL, VK_F1));
}

TEST(SettingsFormRefusalTest, ACombinationHeldElsewhereIsReportedAndWithoutTheIconFallsBackToIt) {
  HeldHotKey held(MOD_ALT | MOD_CONTROL, VK_F5);
  ASSERT_TRUE(held.IsHeld());
  RunningPanorel panorel;
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);
  PanorelInstance& instance = panorel.Instance();
  const DWORD processId = instance.process().Id();

  // With the icon on, the system's refusal is the only message.
  ASSERT_TRUE(panorel.ShowBySecondStart());
  ASSERT_TRUE(SetModifiers(dialog, MOD_ALT | MOD_CONTROL));
  ChooseKey(dialog, 5);
  Click(dialog, IDC_BUTTON_OK);
  const AnsweredBox refused = AnswerBox(processId);
  EXPECT_EQ(refused.text, kHotKeyRefused);
  EXPECT_EQ(refused.caption, SystemErrorText(ERROR_HOTKEY_ALREADY_REGISTERED));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  EXPECT_EQ(FindMessageBox(processId), nullptr) << "no second message";
  EXPECT_EQ(instance.ReadIni("Setup", "UseHotKey"), "Y") << "the next start tries again";
  EXPECT_EQ(instance.ReadIni("Setup", "HotKeyFlags"), "3");
  EXPECT_EQ(instance.ReadIni("Setup", "HotKey"), "116");

  // With the icon off, the icon takes over and the form says so.
  ASSERT_TRUE(panorel.ShowBySecondStart());
  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_TRAY, false));
  ASSERT_FALSE(IsItemEnabled(dialog, IDC_EDIT_TIP));
  Click(dialog, IDC_BUTTON_OK);
  EXPECT_EQ(AnswerBox(processId).text, kHotKeyRefused);
  const AnsweredBox fallback = AnswerBox(processId);
  EXPECT_EQ(fallback.text, kFallBackToTray);
  EXPECT_EQ(fallback.caption, "Panorel");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));

  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_TRAY)) << "the icon is turned on in the form";
  EXPECT_TRUE(IsItemEnabled(dialog, IDC_EDIT_TIP));
  EXPECT_TRUE(IsItemEnabled(dialog, IDC_BUTTON_ICON));
  EXPECT_EQ(instance.ReadIni("Setup", "UseIcon"), "Y");
  EXPECT_EQ(instance.ReadIni("Setup", "UseHotKey"), "Y");
  EXPECT_EQ(instance.ReadIni("Setup", "IconTitle"), kMainTitle);
}

TEST(SettingsFormControlsTest, UncheckingHotKeyOrIconDisablesTheirControlsAndKeepsTheirState) {
  RunningPanorel panorel({{"HotKeyFlags", "9"}});
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(panorel.ShowBySecondStart());

  const int hotKeyControls[] = {IDC_CHECK_ALT, IDC_CHECK_CTRL, IDC_CHECK_SHIFT, IDC_CHECK_WIN, IDC_COMBO_KEY};
  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_HOTKEY, false));
  for (int id : hotKeyControls) EXPECT_FALSE(IsItemEnabled(dialog, id)) << id;
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_ALT));
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_WIN));
  EXPECT_FALSE(IsChecked(dialog, IDC_CHECK_CTRL));
  EXPECT_TRUE(IsItemEnabled(dialog, IDC_EDIT_TIP)) << "the icon's controls are not the hotkey's";

  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_TRAY, false));
  EXPECT_FALSE(IsItemEnabled(dialog, IDC_EDIT_TIP));
  EXPECT_FALSE(IsItemEnabled(dialog, IDC_BUTTON_ICON));

  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_HOTKEY, true));
  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_TRAY, true));
  for (int id : hotKeyControls) EXPECT_TRUE(IsItemEnabled(dialog, id)) << id;
  EXPECT_TRUE(IsItemEnabled(dialog, IDC_EDIT_TIP));
  EXPECT_TRUE(IsItemEnabled(dialog, IDC_BUTTON_ICON));
}

TEST(SettingsFormIconTest, AChosenIconIsDroppedByCancelAndNotSavedByALaterApply) {
  const std::string shell32 = kShell32;
  RunningPanorel panorel({{"Icon", (shell32 + ",1").c_str()}});
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);
  const DWORD processId = panorel.Instance().process().Id();
  ASSERT_TRUE(panorel.ShowBySecondStart());
  const std::string before = panorel.Instance().IniText();
  const LRESULT oldImage = SendDlgItemMessageA(dialog, IDC_BUTTON_ICON, BM_GETIMAGE, IMAGE_ICON, 0);
  ASSERT_NE(oldImage, 0);

  Click(dialog, IDC_BUTTON_ICON);
  HWND picker = WaitForTopLevel(processId, "#32770", kPickerTitle);
  ASSERT_NE(picker, nullptr);
  EXPECT_FALSE(IsWindowEnabled(dialog)) << "the form waits for the chooser";
  EXPECT_EQ(SendDlgItemMessageA(picker, IDC_LIST_ICONS, LB_GETCURSEL, 0, 0), 1) << "opens on the current icon";
  SendDlgItemMessageA(picker, IDC_LIST_ICONS, LB_SETCURSEL, 4, 0);
  PostMessageA(picker, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker) && IsWindowEnabled(dialog); }, 5000));

  EXPECT_NE(SendDlgItemMessageA(dialog, IDC_BUTTON_ICON, BM_GETIMAGE, IMAGE_ICON, 0), oldImage)
      << "the button shows the new icon";
  Click(dialog, IDC_BUTTON_CANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));
  EXPECT_EQ(panorel.Instance().IniText(), before) << "cancel writes nothing";

  ASSERT_TRUE(panorel.ShowBySecondStart());
  ASSERT_TRUE(Apply(dialog));
  EXPECT_EQ(panorel.Instance().ReadIni("Setup", "Icon"), shell32 + ",1");
}

TEST(SettingsFormCancelTest, TheFormShownAgainAfterCancelShowsTheSettingsInEffect) {
  RunningPanorel panorel({{"HotKeyFlags", "2"}, {"HotKey", "113"}});
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(panorel.ShowBySecondStart());
  const std::string before = panorel.Instance().IniText();

  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_ALT, true));
  ChooseKey(dialog, 7);
  ASSERT_TRUE(SetChecked(dialog, IDC_CHECK_HOTKEY, false));
  Click(dialog, IDC_BUTTON_CANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000));

  ASSERT_TRUE(panorel.ShowBySecondStart());
  EXPECT_FALSE(IsChecked(dialog, IDC_CHECK_ALT));
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_CTRL));
  EXPECT_EQ(ComboSelectionText(dialog, IDC_COMBO_KEY), "F2");
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_HOTKEY));
  EXPECT_TRUE(IsItemEnabled(dialog, IDC_CHECK_ALT)) << "the hotkey's controls are usable again";
  EXPECT_TRUE(IsHotKeyTaken(MOD_CONTROL, VK_F2));
  EXPECT_FALSE(IsHotKeyTaken(MOD_ALT | MOD_CONTROL, VK_F7));

  // An apply made for no other reason puts nothing abandoned into effect.
  ASSERT_TRUE(Apply(dialog));
  EXPECT_EQ(panorel.Instance().IniText(), before);
  EXPECT_TRUE(IsHotKeyTaken(MOD_CONTROL, VK_F2));
}

}  // namespace
