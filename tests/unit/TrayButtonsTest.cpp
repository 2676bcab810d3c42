// The notification-icon step of the switch against a real toolbar control in
// another process (the fake taskbar), with icons owned by windows of the
// window farm and the engine's lists read directly.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "switcher/DesktopSwitcher.h"
#include "switcher/IconToolbars.h"
#include "switcher/TrayButtons.h"
#include "switcher/TrayToolbarReader.h"
#include "switcher/WindowEntry.h"
#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/WindowFarm.h"
#include "tests/unit/ScratchContext.h"

using automation::FakeTaskbar;
using automation::WindowFarm;

namespace {

bool Contains(const CDWordArrayEx& list, HWND window) { return list.Find(EntryOf(window)) >= 0; }

std::string HexOf(HWND window) {
  char text[16];
  std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(EntryOf(window)));
  return text;
}

TEST(TrayButtonRecordTest, FieldsAreReadAtThePlatformsOffsetsInEitherLayout) {
  TBBUTTON button = {};
  button.iBitmap = 3;
  button.idCommand = 0x1234;
  button.fsState = TBSTATE_ENABLED | TBSTATE_HIDDEN;
  button.dwData = 0x00ABCDEF;
  button.iString = 0x00405060;
  // The platform's own record, laid out for this program's width.
  const CTrayLayout native = sizeof(void*) == 8 ? CTrayLayout::k64Bit : CTrayLayout::k32Bit;
  ASSERT_EQ(sizeof button, TrayButtonRecordSize(native)) << "a toolbar's button record of this program's width";
  BYTE bytes[32] = {};
  std::memcpy(bytes, &button, sizeof button);

  CTrayButtonRecord record = DecodeTrayButtonRecord(bytes, native);
  EXPECT_EQ(record.commandId, 0x1234);
  EXPECT_TRUE(record.IsHidden());
  EXPECT_EQ(record.iconRecordAddress, 0x00ABCDEFu);
  EXPECT_TRUE(record.hasOwnerInfo);

  button.iString = -1;
  button.fsState = TBSTATE_ENABLED;
  std::memcpy(bytes, &button, sizeof button);
  record = DecodeTrayButtonRecord(bytes, native);
  EXPECT_FALSE(record.hasOwnerInfo);
  EXPECT_FALSE(record.IsHidden());

  // A 64-bit toolbar's: padding after the style byte, 8-byte data and string.
  const BYTE wide[32] = {3, 0, 0, 0, 0x34, 0x12, 0, 0, TBSTATE_HIDDEN, 0, 0, 0, 0, 0, 0, 0,
                         0x10, 0x20, 0x30, 0x40, 0xFE, 0x7F, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  ASSERT_EQ(TrayButtonRecordSize(CTrayLayout::k64Bit), sizeof wide);
  record = DecodeTrayButtonRecord(wide, CTrayLayout::k64Bit);
  EXPECT_EQ(record.commandId, 0x1234);
  EXPECT_TRUE(record.IsHidden());
  EXPECT_EQ(record.iconRecordAddress, 0x7FFE40302010ULL) << "an address above 4 GB kept whole";
  EXPECT_TRUE(record.hasOwnerInfo) << "-1 only in the string field's low half";
  BYTE noString[32];
  std::memcpy(noString, wide, sizeof noString);
  std::memset(noString + 24, 0xFF, 8);
  EXPECT_FALSE(DecodeTrayButtonRecord(noString, CTrayLayout::k64Bit).hasOwnerInfo);
}

class TrayButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_farm.IsReady());
    ASSERT_TRUE(m_taskbar.IsReady());
    m_own = CreateWindowExA(0, "STATIC", "the program's own window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200,
                            100, nullptr, nullptr, nullptr, nullptr);
    m_switcher.SetOwnWindow(m_own);
    SetOption("Y");
  }
  void TearDown() override {
    m_switcher.ShowRememberedWindows();
    DestroyWindow(m_own);
  }
  void SetOption(const char* value) {
    WriteSetting(m_context.GetIniPath(), setting::kHideElseIcon, value);
  }

  ScratchContext m_context{"tray test"};
  CDesktopSwitcher m_switcher{m_context};
  WindowFarm m_farm;
  FakeTaskbar m_taskbar;
  HWND m_own = nullptr;
};

TEST_F(TrayButtonsTest, IconsAreSplitBetweenTheDesktopsByOwnerAndAllComeBackAtExit) {
  HWND mail = m_farm.Open();
  HWND player = m_farm.Open();
  HWND quiet = m_farm.Open();
  // A button that comes and goes first: every later button's position then
  // differs from where it was added, and never equals its identifier.
  const int gone = m_taskbar.AddButton(mail);
  const int own = m_taskbar.AddButton(m_own);
  const int mail1 = m_taskbar.AddButton(mail);
  const int mail2 = m_taskbar.AddButton(mail);
  const int unowned = m_taskbar.AddButton(player, taskbar::kNoOwnerInfo);
  const int unreadable = m_taskbar.AddButton(player, taskbar::kUnreadableIconRecord);
  const int playerIcon = m_taskbar.AddButton(player);
  const int quietIcon = m_taskbar.AddButton(quiet, taskbar::kHidden);
  ASSERT_TRUE(m_taskbar.RemoveButton(gone));

  m_switcher.SwitchDesktop();  // to desktop 2: everything but the own icon hides
  for (int id : {mail1, mail2, unowned, unreadable, playerIcon, quietIcon}) EXPECT_TRUE(m_taskbar.IsHidden(id)) << id;
  EXPECT_FALSE(m_taskbar.IsHidden(own));
  for (HWND owner : {mail, player, quiet}) EXPECT_TRUE(Contains(m_switcher.Desk1Icons(), owner));
  EXPECT_EQ(m_switcher.Desk1Icons().GetSize(), 3) << "one entry per owner; the own icon and owner-less ones none";
  EXPECT_EQ(m_switcher.Desk2Icons().GetSize(), 0);
  EXPECT_FALSE(Contains(m_switcher.Desk1Icons(), m_own));

  HWND later = m_farm.Open();
  const int laterIcon = m_taskbar.AddButton(later);
  m_switcher.SwitchDesktop();  // to desktop 1: its owners' icons return, the new one leaves with desktop 2
  for (int id : {mail1, mail2, playerIcon}) EXPECT_FALSE(m_taskbar.IsHidden(id)) << id;
  EXPECT_FALSE(m_taskbar.IsHidden(quietIcon)) << "hidden by the taskbar, shown when its owner's desktop is entered";
  EXPECT_TRUE(m_taskbar.IsHidden(laterIcon));
  EXPECT_TRUE(Contains(m_switcher.Desk2Icons(), later));
  EXPECT_TRUE(m_taskbar.IsHidden(unowned)) << "no desktop claims a button without owner information";
  EXPECT_TRUE(m_taskbar.IsHidden(unreadable)) << "nor one whose icon record cannot be read";
  EXPECT_FALSE(m_taskbar.IsHidden(own));

  m_switcher.SwitchDesktop();  // to desktop 2
  EXPECT_FALSE(m_taskbar.IsHidden(laterIcon));
  EXPECT_TRUE(m_taskbar.IsHidden(mail1));
  EXPECT_TRUE(m_taskbar.IsHidden(mail2)) << "one owner's icons go together";
  EXPECT_TRUE(m_taskbar.IsHidden(unowned));
  EXPECT_EQ(m_switcher.Desk1Icons().GetSize(), 3);
  EXPECT_EQ(m_switcher.Desk2Icons().GetSize(), 1);

  m_switcher.ShowAllTrayButtons();
  for (int id : {own, mail1, mail2, unowned, unreadable, playerIcon, quietIcon, laterIcon}) {
    EXPECT_TRUE(m_taskbar.Exists(id)) << id;
    EXPECT_FALSE(m_taskbar.IsHidden(id)) << "every button the program hid is shown at exit: " << id;
  }
}

TEST_F(TrayButtonsTest, EachIconStepAndTheExitMakeTheTaskbarLayOutItsIconsAgain) {
  m_taskbar.AddButton(m_farm.Open());
  m_switcher.SwitchDesktop();
  m_switcher.ShowAllTrayButtons();
  // An icon of identifier 0 added and deleted again, each time: the program's
  // own icon (another identifier) is not touched. Both calls carry the image.
  const std::string icon = automation::IconOfCall(m_taskbar.LogText());
  const std::string refresh = "NIM 0 hwnd=" + HexOf(m_own) + " uid=0 flags=2 callback=0 " + icon +
                              " tip=\r\nNIM 2 hwnd=" + HexOf(m_own) + " uid=0 flags=2 callback=0 " + icon + " tip=\r\n";
  EXPECT_EQ(m_taskbar.LogText(), refresh + refresh);
}

TEST_F(TrayButtonsTest, WithTheOptionOffASwitchLeavesTheIconsAloneYetTheExitShowsEveryOwnedOne) {
  HWND owner = m_farm.Open();
  HWND window = m_farm.Open();
  const int shown = m_taskbar.AddButton(owner);
  const int hiddenByTaskbar = m_taskbar.AddButton(owner, taskbar::kHidden);
  const int unownedHiddenByTaskbar = m_taskbar.AddButton(owner, taskbar::kNoOwnerInfo | taskbar::kHidden);
  SetOption("N");

  m_switcher.SwitchDesktop();
  EXPECT_FALSE(IsWindowVisible(window)) << "the windows switch all the same";
  EXPECT_FALSE(m_taskbar.IsHidden(shown));
  EXPECT_TRUE(m_taskbar.IsHidden(hiddenByTaskbar));
  EXPECT_EQ(m_switcher.Desk1Icons().GetSize(), 0);
  EXPECT_EQ(m_taskbar.LogText(), "") << "no refresh without an icon step";

  m_switcher.ShowAllTrayButtons();
  EXPECT_FALSE(m_taskbar.IsHidden(hiddenByTaskbar));
  EXPECT_TRUE(m_taskbar.IsHidden(unownedHiddenByTaskbar)) << "the program never hid it, so it does not show it";
  EXPECT_NE(m_taskbar.LogText(), "");
}

// Where each taskbar keeps the programs' icons, and what it keeps for itself.
class IconToolbarsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(IconToolbarsTest, TheProgramsToolbarsAreFoundAndTheSystemsIsLeftOut) {
  FakeTaskbar fake(GetParam());
  ASSERT_TRUE(fake.IsReady());
  std::vector<HWND> expected = {fake.Toolbar(taskbar::kProgramsToolbar)};
  if (HWND overflow = fake.Toolbar(taskbar::kOverflowToolbar)) expected.push_back(overflow);
  ASSERT_NE(expected.front(), nullptr);

  const CIconToolbars found = FindIconToolbars();
  EXPECT_EQ(found.lookup, CIconToolbarLookup::kFound);
  EXPECT_EQ(found.toolbars, expected);
  EXPECT_TRUE(TaskbarHasIconToolbar());
}

INSTANTIATE_TEST_SUITE_P(Structures, IconToolbarsTest,
                         ::testing::Values(taskbar::kFull, taskbar::kPager, taskbar::kSystemAndOverflow));

// Taskbars without the notification toolbar where it is looked for.
class MissingToolbarTest : public ::testing::TestWithParam<std::pair<const char*, CTrayReach>> {};

TEST_P(MissingToolbarTest, TheWindowsStillSwitchAndNothingElseHappens) {
  ScratchContext context("tray test");
  WriteSetting(context.GetIniPath(), setting::kHideElseIcon, "Y");
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  FakeTaskbar fake(GetParam().first);
  ASSERT_TRUE(fake.IsReady());
  HWND own = CreateWindowExA(0, "STATIC", "own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200, 100, nullptr,
                             nullptr, nullptr, nullptr);
  CDesktopSwitcher switcher(context);
  switcher.SetOwnWindow(own);
  HWND window = farm.Open();

  const CTrayCollection collected = switcher.TrayButtons().CollectTrayButtons(TRAYBTN_HIDE_OTHERS);
  EXPECT_EQ(collected.reach, GetParam().second);
  EXPECT_TRUE(collected.buttons.empty());
  EXPECT_FALSE(TaskbarHasIconToolbar());

  switcher.SwitchDesktop();
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(Contains(switcher.Desk1Windows(), window));
  EXPECT_EQ(switcher.Desk1Icons().GetSize(), 0);
  switcher.SwitchDesktop();
  EXPECT_TRUE(IsWindowVisible(window));
  switcher.ShowAllTrayButtons();
  DestroyWindow(own);
}

INSTANTIATE_TEST_SUITE_P(Structures, MissingToolbarTest,
                         ::testing::Values(std::make_pair(taskbar::kNoNotifyArea, CTrayReach::kNoNotifyArea),
                                           std::make_pair(taskbar::kNoToolbar, CTrayReach::kNoIconToolbar)));

TEST(WineTaskbarTest, WinesOwnTaskbarHasNoNotificationToolbar) {
  ScratchContext context("tray test");
  CDesktopSwitcher switcher(context);
  // Wine's explorer always has a "Shell_TrayWnd", without children.
  const CTrayCollection collected = switcher.TrayButtons().CollectTrayButtons(TRAYBTN_HIDE_OTHERS);
  EXPECT_EQ(collected.reach, CTrayReach::kNoNotifyArea);
  EXPECT_TRUE(collected.buttons.empty());
}

}  // namespace
