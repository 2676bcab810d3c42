// The notification-icon step of the switch against a real toolbar control in
// another process (the fake taskbar), with icons owned by windows of the
// window farm and the engine's lists read directly.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "switcher/DesktopSwitcher.h"
#include "switcher/TrayButtons.h"
#include "switcher/WindowEntry.h"
#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/WindowFarm.h"

using automation::FakeTaskbar;
using automation::WindowFarm;

namespace {

class ScratchContext : public CAppContext {
 public:
  CString GetIniPath() override { return m_folder.File("tray.ini").c_str(); }
  CString GetMainTitle() const override { return "tray test"; }

 private:
  automation::ScratchFolder m_folder;
};

bool Contains(const CDWordArrayEx& list, HWND window) { return list.Find(EntryOf(window)) >= 0; }

std::string HexOf(HWND window) {
  char text[16];
  std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(EntryOf(window)));
  return text;
}

TEST(TrayButtonRecordTest, FieldsAreReadAtThePlatformsOffsets) {
  TBBUTTON button = {};
  button.iBitmap = 3;
  button.idCommand = 0x1234;
  button.fsState = TBSTATE_ENABLED | TBSTATE_HIDDEN;
  button.dwData = 0x00ABCDEF;
  button.iString = 0x00405060;
  static_assert(sizeof button == kTrayButtonRecordSize, "a 32-bit toolbar's button record");
  BYTE bytes[kTrayButtonRecordSize];
  std::memcpy(bytes, &button, sizeof bytes);

  CTrayButtonRecord record = DecodeTrayButtonRecord(bytes);
  EXPECT_EQ(record.commandId, 0x1234);
  EXPECT_TRUE(record.IsHidden());
  EXPECT_EQ(record.iconRecordAddress, 0x00ABCDEFu);
  EXPECT_TRUE(record.hasOwnerInfo);

  button.iString = -1;
  button.fsState = TBSTATE_ENABLED;
  std::memcpy(bytes, &button, sizeof bytes);
  record = DecodeTrayButtonRecord(bytes);
  EXPECT_FALSE(record.hasOwnerInfo);
  EXPECT_FALSE(record.IsHidden());
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
    WritePrivateProfileStringA("Setup", "HideElseIcon", value, m_context.GetIniPath());
  }

  ScratchContext m_context;
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
  // own icon (another identifier) is not touched.
  const std::string refresh = "NIM 0 hwnd=" + HexOf(m_own) + " uid=0 flags=2 callback=0 tip=\r\nNIM 2 hwnd=" +
                              HexOf(m_own) + " uid=0 flags=2 callback=0 tip=\r\n";
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

// Taskbars without the notification toolbar where it is looked for.
class MissingToolbarTest : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(MissingToolbarTest, TheWindowsStillSwitchAndNothingElseHappens) {
  ScratchContext context;
  WritePrivateProfileStringA("Setup", "HideElseIcon", "Y", context.GetIniPath());
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  FakeTaskbar fake(GetParam().first);
  ASSERT_TRUE(fake.IsReady());
  HWND own = CreateWindowExA(0, "STATIC", "own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200, 100, nullptr,
                             nullptr, nullptr, nullptr);
  CDesktopSwitcher switcher(context);
  switcher.SetOwnWindow(own);
  HWND window = farm.Open();

  CDWordArrayEx owners;
  owners.Add(0xDEADBEEF);
  HWND toolbar = nullptr;
  EXPECT_EQ(switcher.CollectTrayButtons(owners, TRAYBTN_HIDE_OTHERS, &toolbar), GetParam().second);
  EXPECT_EQ(owners.GetSize(), 1) << "the array is left as it was";
  EXPECT_EQ(toolbar, nullptr);

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
                         ::testing::Values(std::make_pair(taskbar::kNoNotifyArea, TRAYBTN_NO_NOTIFY_AREA),
                                           std::make_pair(taskbar::kNoToolbar, TRAYBTN_NO_TOOLBAR)));

TEST(WineTaskbarTest, WinesOwnTaskbarHasNoNotificationToolbar) {
  ScratchContext context;
  CDesktopSwitcher switcher(context);
  CDWordArrayEx owners;
  HWND toolbar = nullptr;
  // Wine's explorer always has a "Shell_TrayWnd", without children.
  EXPECT_EQ(switcher.CollectTrayButtons(owners, TRAYBTN_HIDE_OTHERS, &toolbar), TRAYBTN_NO_NOTIFY_AREA);
  EXPECT_EQ(owners.GetSize(), 0);
}

}  // namespace
