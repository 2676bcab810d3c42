// The switch through the real program: its hotkey pressed with real key
// input, hotkey messages sent as another program would, and its exit.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "res/SwitcherDlgIds.h"
#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

TEST(HotKeyTest, EachPressOfTheDefaultHotKeySwitchesOnce) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  const std::vector<HWND> windows = farm.OpenMany(3);
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);

  PressKeys({VK_CONTROL}, VK_F1);
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(windows, false); }, 5000));
  PumpFor(500);
  EXPECT_TRUE(AllVisible(windows, false)) << "one press, one switch";

  PressKeys({VK_CONTROL}, VK_F1);
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(windows, true); }, 5000));
  PumpFor(500);
  EXPECT_TRUE(AllVisible(windows, true));

  PressKeys({VK_SHIFT}, VK_F1);
  PumpFor(500);
  EXPECT_TRUE(AllVisible(windows, true)) << "another combination does nothing";
}

TEST(HotKeyTest, AHotKeyMessageWithAnyIdentifierSwitches) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND window = farm.Open();
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);

  PostMessageA(panorel.Dialog(), WM_HOTKEY, 0xBEEF, 0);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(window); }, 5000));
  PostMessageA(panorel.Dialog(), WM_HOTKEY, 1, MAKELPARAM(MOD_ALT, VK_F9));
  EXPECT_TRUE(WaitUntil([&] { return Visible(window); }, 5000));
}

TEST(HotKeyTest, ACombinationHeldByAnotherProgramIsReportedAndTheIconTakesOver) {
  HeldHotKey held(MOD_CONTROL, VK_F1);
  ASSERT_TRUE(held.IsHeld());

  PanorelInstance panorel;
  panorel.AcceptAgreement();
  panorel.WriteIni("Setup", "UseIcon", "N");
  Process& process = panorel.Start();
  HWND box = WaitForMessageBox(process.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "无法注册您所使用的热键,请重新设置");
  EXPECT_EQ(TextOf(box), SystemErrorText(ERROR_HOTKEY_ALREADY_REGISTERED));
  EXPECT_FALSE(TextOf(box).empty());
  PostMessageA(box, WM_COMMAND, IDOK, 0);

  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  // Asked to choose another key, the user finds the form waiting for that
  // choice, in the middle of the screen, instead of seeing it go.
  ASSERT_TRUE(WaitUntil([&] { return Visible(dialog); }, 5000));
  EXPECT_LE(DistanceFromWorkAreaCentre(dialog), kCentredWithinPixels);
  EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, IDC_COMBO_KEY));
  EXPECT_FALSE(WaitUntil([&] { return !Visible(dialog); }, 3000)) << "still shown three seconds later";
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_HOTKEY)) << "the stored setting, not the outcome";
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_TRAY)) << "without a hotkey the icon is the way in";
  EXPECT_EQ(panorel.ReadIni("Setup", "UseIcon"), "N") << "the forcing is not saved";
  EXPECT_TRUE(panorel.Exit());
}

TEST(HotKeyTest, TheHotKeyAndItsAtomAreHeldWhileRunningAndReleasedAtExit) {
  // A program ended by force never releases its atoms; nothing here may have
  // left one behind.
  ASSERT_EQ(GlobalFindAtomA("DuodeckPanorel-HotKeyAtom"), 0) << "an earlier run left the atom behind";
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  // The atom is named after the caption the dialog had when it registered.
  EXPECT_NE(GlobalFindAtomA("DuodeckPanorel-HotKeyAtom"), 0);
  {
    HeldHotKey probe(MOD_CONTROL, VK_F1);
    EXPECT_FALSE(probe.IsHeld()) << "Panorel holds Ctrl+F1";
  }
  ASSERT_TRUE(panorel.Instance().Exit());
  EXPECT_EQ(GlobalFindAtomA("DuodeckPanorel-HotKeyAtom"), 0);
  HeldHotKey probe(MOD_CONTROL, VK_F1);
  EXPECT_TRUE(probe.IsHeld()) << "released at exit";
}

TEST(ExitTest, EveryRecordedWindowIsVisibleAfterExitWhicheverDesktopIsActive) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  for (int switchesBeforeExit : {1, 2, 3}) {
    const std::vector<HWND> desk1 = farm.OpenMany(3);
    RunningPanorel panorel;
    ASSERT_NE(panorel.Dialog(), nullptr);
    panorel.Switch();  // to desktop 2
    HWND desk2 = farm.Open();
    for (int i = 1; i < switchesBeforeExit; ++i) panorel.Switch();
    ASSERT_TRUE(panorel.Instance().Exit());
    EXPECT_TRUE(AllVisible(desk1, true)) << switchesBeforeExit;
    EXPECT_TRUE(Visible(desk2)) << switchesBeforeExit;
  }
}

TEST(ExitTest, AWindowThatStoppedAnsweringIsShownWhenItPumpsAgain) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND busy = farm.Open(farm::Kind::kOwnThread);
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  panorel.Switch();
  ASSERT_FALSE(Visible(busy));

  ASSERT_TRUE(farm.Hang(busy));
  ASSERT_TRUE(panorel.Instance().Exit());
  ASSERT_TRUE(farm.Resume(busy));
  EXPECT_TRUE(WaitUntil([&] { return Visible(busy); }, 5000));
}

// Programs that stall just before a press, or while their windows are
// hidden, or inside the hide itself: none holds up the others or the next
// press, and each window comes back once its program answers again.
TEST(StalledWindowsTest, NoStalledProgramHoldsUpASwitchAndEachWindowComesBackOnceItAnswers) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  std::vector<HWND> answering = farm.OpenMany(6);
  HWND stallsInShow = farm.Open(farm::Kind::kOwnThread);
  answering.push_back(stallsInShow);
  std::vector<HWND> frozen;
  for (int i = 0; i < 3; ++i) frozen.push_back(farm.Open(farm::Kind::kOwnThread));
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);

  for (HWND window : frozen) ASSERT_TRUE(farm.Hang(window));
  PressKeys({VK_CONTROL}, VK_F1);  // to desktop 2
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(answering, false); }, 1500)) << "the frozen three held it up";
  DWORD_PTR reply = 0;
  EXPECT_TRUE(SendMessageTimeoutA(panorel.Dialog(), WM_NULL, 0, 0, SMTO_NORMAL, 300, &reply))
      << "Panorel answers while it waits";
  Sleep(200);
  PressKeys({VK_CONTROL}, VK_F1);  // to desktop 1, while the first switch still waits
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(answering, true); }, 1500)) << "the second press waited too long";
  EXPECT_TRUE(AllVisible(frozen, true)) << "a window that never answered is left as it is";

  // Answering again, the frozen three take part like any other window. The
  // second switch still waits for them until its deadline: a switch sent
  // now would only be queued behind it.
  PumpFor(1500);
  for (HWND window : frozen) ASSERT_TRUE(farm.Resume(window));
  panorel.Switch();  // to desktop 2
  ASSERT_TRUE(WaitUntil([&] { return AllVisible(frozen, false) && AllVisible(answering, false); }, 3000));

  // One stalls while hidden: back on its desktop it stays hidden until it
  // answers, and then comes back by itself.
  ASSERT_TRUE(farm.Hang(frozen[0]));
  panorel.Switch();  // to desktop 1
  EXPECT_TRUE(AllVisible(answering, true));
  EXPECT_FALSE(Visible(frozen[0]));
  ASSERT_TRUE(farm.Resume(frozen[0]));
  EXPECT_TRUE(WaitUntil([&] { return Visible(frozen[0]); }, 1500)) << "not shown once it answered";

  // One blocks inside its hide for ten seconds: the others go at once, and
  // the next press brings them back without waiting for it.
  ASSERT_TRUE(farm.StallNextShow(stallsInShow, 10000));
  PressKeys({VK_CONTROL}, VK_F1);  // to desktop 2
  const std::vector<HWND> others(answering.begin(), answering.end() - 1);
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(others, false); }, 1500));
  PressKeys({VK_CONTROL}, VK_F1);  // to desktop 1
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(others, true) && AllVisible(frozen, true); }, 1500));
  ASSERT_TRUE(farm.Resume(stallsInShow));
  EXPECT_TRUE(WaitUntil([&] { return Visible(stallsInShow); }, 3000)) << "its show waits for its thread, then comes";

  panorel.Switch();  // to desktop 2
  ASSERT_TRUE(panorel.Instance().Exit());
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(answering, true) && AllVisible(frozen, true); }, 2000));
}

std::string HexOf(HWND window) {
  char text[16];
  wsprintfA(text, "%08lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  return text;
}

TEST(TrayIconTest, OtherProgramsIconsFollowTheirDesktopAndAllThatWereHiddenReturnAtExit) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  HWND mailWindow = farm.Open();
  const int mail = taskbar.AddButton(mailWindow);
  const int unowned = taskbar.AddButton(mailWindow, taskbar::kNoOwnerInfo);
  RunningPanorel panorel({{"HideElseIcon", "Y"}});
  ASSERT_NE(panorel.Dialog(), nullptr);
  // Panorel's own icon as the taskbar lists it: named by its main dialog.
  const int own = taskbar.AddButton(panorel.Dialog());

  panorel.Switch();  // to desktop 2
  EXPECT_FALSE(Visible(mailWindow));
  EXPECT_TRUE(taskbar.IsHidden(mail));
  EXPECT_TRUE(taskbar.IsHidden(unowned));
  EXPECT_FALSE(taskbar.IsHidden(own));
  EXPECT_NE(taskbar.LogText().find("NIM 0 hwnd=" + HexOf(panorel.Dialog()) + " uid=0 flags=2"), std::string::npos)
      << "the notification area is laid out again";

  panorel.Switch();  // to desktop 1
  EXPECT_TRUE(Visible(mailWindow));
  EXPECT_FALSE(taskbar.IsHidden(mail));
  EXPECT_TRUE(taskbar.IsHidden(unowned));

  panorel.Switch();  // to desktop 2
  ASSERT_TRUE(taskbar.IsHidden(mail));
  ASSERT_TRUE(panorel.Instance().Exit());
  EXPECT_FALSE(taskbar.IsHidden(mail));
  EXPECT_FALSE(taskbar.IsHidden(unowned)) << "the program hid it, so the exit shows it";
  EXPECT_FALSE(taskbar.IsHidden(own));
}

TEST(TrayIconTest, WithTheOptionOffIconsStayAsTheyAreUntilTheExitShowsThem) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  HWND owner = farm.Open();
  const int shown = taskbar.AddButton(owner);
  const int hidden = taskbar.AddButton(owner, taskbar::kHidden);
  RunningPanorel panorel({{"HideElseIcon", "N"}});
  ASSERT_NE(panorel.Dialog(), nullptr);

  panorel.Switch();
  EXPECT_FALSE(Visible(owner));
  EXPECT_FALSE(taskbar.IsHidden(shown));
  EXPECT_TRUE(taskbar.IsHidden(hidden));
  ASSERT_TRUE(panorel.Instance().Exit());
  EXPECT_FALSE(taskbar.IsHidden(hidden)) << "the exit shows every button with owner information";
}

// Hundreds of switches while windows come, go, hide and show in between: at
// exit no window the user left visible is hidden.
TEST(SoakTest, RandomWindowTrafficBetweenSwitchesLosesNoWindow) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);

  const unsigned seed = GetTickCount();
  RecordProperty("seed", static_cast<int>(seed));
  std::mt19937 random(seed);
  // What the user last did to each open window: true = open or shown.
  std::map<HWND, bool> userWantsVisible;
  auto pick = [&]() -> HWND {
    auto it = userWantsVisible.begin();
    std::advance(it, random() % userWantsVisible.size());
    return it->first;
  };

  for (int round = 0; round < 300; ++round) {
    const int action = userWantsVisible.size() < 4 ? 0 : static_cast<int>(random() % 5);
    if (action == 0) {
      HWND opened = farm.Open(random() % 4 == 0 ? farm::Kind::kOwnThread : farm::Kind::kPlain);
      userWantsVisible[opened] = true;
    } else if (action == 1) {
      HWND closing = pick();
      farm.Close(closing);
      userWantsVisible.erase(closing);
    } else if (action == 2 || action == 3) {
      HWND target = pick();
      const bool show = action == 2;
      farm.Show(target, show ? SW_SHOW : SW_HIDE);
      WaitUntil([&] { return Visible(target) == show; }, 3000);
      userWantsVisible[target] = show;
    }
    panorel.Switch();
  }
  ASSERT_TRUE(panorel.Instance().Exit());

  int checked = 0;
  for (const auto& [window, wanted] : userWantsVisible) {
    if (!wanted) continue;
    ++checked;
    EXPECT_TRUE(WaitUntil([&] { return Visible(window); }, 2000)) << "lost window " << window << " seed " << seed;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
