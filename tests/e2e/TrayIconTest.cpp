// The notification icon's messages and menu, sent and operated as the shell
// and the user would, against the real program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/AboutDlgIds.h"
#include "res/SwitcherDlgIds.h"
#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"
#include "tests/automation/Windows.h"
#include "tests/helpers/NewsServer.h"

using namespace automation;

namespace {

constexpr UINT kTrayNotify = WM_USER + 1;
constexpr WPARAM kTrayIconId = 0x0402;

// What the shell sends when the user does something with the icon.
void Notify(HWND dialog, UINT mouseMessage) { PostMessageA(dialog, kTrayNotify, kTrayIconId, mouseMessage); }

HWND WaitForMenu(DWORD processId, DWORD timeoutMs = 5000) {
  return WaitForTopLevel(processId, "#32768", nullptr, true, timeoutMs);
}

// Keys typed into an open menu. Nothing is selected when it opens, so the
// first Down selects the first item.
void TypeIntoMenu(HWND menu, std::initializer_list<WPARAM> keys) {
  for (WPARAM key : keys) PostMessageA(menu, WM_KEYDOWN, key, 0);
}

TEST(TrayNotifyTest, EachLeftButtonReleaseSwitchesOnceAndOtherMouseMessagesDoNothing) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND window = farm.Open();
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);

  Notify(panorel.Dialog(), WM_LBUTTONUP);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(window); }, 5000));
  for (UINT ignored : {WM_LBUTTONDBLCLK, WM_LBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE, WM_MBUTTONUP}) {
    Notify(panorel.Dialog(), ignored);
  }
  PumpFor(700);
  EXPECT_FALSE(Visible(window)) << "no other mouse message switches";
  EXPECT_EQ(FindTopLevel(panorel.process().Id(), "#32768", nullptr, true), nullptr) << "nor opens the menu";

  Notify(panorel.Dialog(), WM_LBUTTONUP);
  EXPECT_TRUE(WaitUntil([&] { return Visible(window); }, 5000));
}

TEST(TrayMenuTest, RightPressOpensTheMenuAndSettingsShowsTheForm) {
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  Notify(panorel.Dialog(), WM_RBUTTONDOWN);
  HWND menu = WaitForMenu(panorel.process().Id());
  ASSERT_NE(menu, nullptr);

  TypeIntoMenu(menu, {VK_DOWN, VK_RETURN});
  EXPECT_TRUE(WaitUntil([&] { return Visible(panorel.Dialog()); }, 5000));
  EXPECT_FALSE(IsWindowVisible(menu));
}

TEST(TrayMenuTest, EscapeClosesTheMenuAndGivesTheForegroundBack) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND window = farm.Open();
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  SetForegroundWindow(window);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 3000));

  Notify(panorel.Dialog(), WM_RBUTTONDOWN);
  HWND menu = WaitForMenu(panorel.process().Id());
  ASSERT_NE(menu, nullptr);
  DWORD foregroundProcess = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
  EXPECT_EQ(foregroundProcess, panorel.process().Id()) << "the menu's owner comes to the front";
  TypeIntoMenu(menu, {VK_ESCAPE});
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5000));
  EXPECT_FALSE(Visible(panorel.Dialog())) << "dismissing shows nothing";
}

TEST(TrayMenuTest, ExitEndsTheProgramAndShowsTheWindowsItHid) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND window = farm.Open();
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  panorel.Switch();
  ASSERT_FALSE(Visible(window));

  Notify(panorel.Dialog(), WM_RBUTTONDOWN);
  HWND menu = WaitForMenu(panorel.process().Id());
  ASSERT_NE(menu, nullptr);
  // Down three times: the separator is skipped.
  TypeIntoMenu(menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  ASSERT_TRUE(panorel.process().WaitForExit());
  EXPECT_EQ(panorel.process().ExitCode(), 0u);
  EXPECT_TRUE(Visible(window));
}

TEST(TrayMenuTest, AboutOpensTheAboutBoxAndTheHotKeyStillWorksAfterIt) {
  NewsServer server;
  ASSERT_TRUE(server.IsListening());
  server.Answer(200, "news");
  ProxySetting proxy(server.Address());
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND window = farm.Open();
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);

  Notify(panorel.Dialog(), WM_RBUTTONDOWN);
  HWND menu = WaitForMenu(panorel.process().Id());
  ASSERT_NE(menu, nullptr);
  TypeIntoMenu(menu, {VK_DOWN, VK_DOWN, VK_RETURN});
  HWND about = WaitForTopLevel(panorel.process().Id(), "#32770", "About Panorel", true, 20000);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(server.Requests().size(), 1u);

  // While the About box runs modally, the hidden dialog still switches.
  PostMessageA(panorel.Dialog(), WM_HOTKEY, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(window); }, 5000));
  Click(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5000));
  EXPECT_FALSE(Visible(panorel.Dialog()));
}

// The log lines about the program's own icon (identifier 402) for dialog.
std::vector<std::string> IconCalls(const FakeTaskbar& taskbar, HWND dialog) {
  return taskbar.CallsFor(dialog, kTrayIconId);
}

std::string TipOf(const std::string& call) { return TipOfCall(call); }

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

TEST(TrayIconTest, TheIconIsAddedAtStartWithTheTitleAsTipAndDeletedAtExit) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);

  std::vector<std::string> calls = IconCalls(taskbar, panorel.Dialog());
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(StartsWith(calls[0], "NIM 0 ")) << calls[0];
  EXPECT_NE(calls[0].find("flags=7 callback=401 "), std::string::npos) << calls[0];
  EXPECT_EQ(TipOf(calls[0]), kMainTitle);

  const HWND dialog = panorel.Dialog();
  ASSERT_TRUE(panorel.Instance().Exit());
  calls = IconCalls(taskbar, dialog);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(StartsWith(calls[1], "NIM 2 ")) << calls[1];
}

TEST(TrayIconTest, ALongTipShowsItsFirst63BytesAndNeverHalfACharacter) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  const std::string hundred = std::string(70, 't') + std::string(30, 'u');
  std::string chinese;
  for (int i = 0; i < 40; ++i) chinese += "桌";
  for (const std::string& tip : {hundred, chinese}) {
    PanorelInstance panorel;
    panorel.AcceptAgreement();
    panorel.WriteIni("Setup", "IconTitle", tip.c_str());
    panorel.Start();
    HWND dialog = panorel.WaitForMainDialog();
    ASSERT_NE(dialog, nullptr);
    const std::vector<std::string> calls = IconCalls(taskbar, dialog);
    ASSERT_EQ(calls.size(), 1u);
    const size_t expected = tip == hundred ? 63 : 62;
    EXPECT_EQ(TipOf(calls[0]), tip.substr(0, expected));
    EXPECT_EQ(panorel.ReadIni("Setup", "IconTitle"), tip) << "the setting keeps the whole text";
    EXPECT_TRUE(panorel.Exit());
  }
}

TEST(TrayIconTest, WithoutAHotKeyTheIconIsShownEvenWhenSwitchedOff) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  panorel.WriteIni("Setup", "UseHotKey", "N");
  panorel.WriteIni("Setup", "UseIcon", "N");
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  const std::vector<std::string> calls = IconCalls(taskbar, dialog);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(StartsWith(calls[0], "NIM 0 "));
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_TRAY));
  EXPECT_FALSE(IsChecked(dialog, IDC_CHECK_HOTKEY));
  EXPECT_EQ(panorel.ReadIni("Setup", "UseIcon"), "N");
  EXPECT_TRUE(panorel.Exit());
}

TEST(TrayIconTest, TaskbarCreatedAddsTheIconAgainEvenWhenItWasSwitchedOff) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  panorel.WriteIni("Setup", "UseIcon", "N");
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  EXPECT_TRUE(IconCalls(taskbar, dialog).empty()) << "the hotkey works, so no icon";

  // What a restarted taskbar broadcasts to every top-level window.
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  DWORD_PTR result = 0;
  SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL, 5000, &result);
  ASSERT_TRUE(WaitUntil([&] { return IconCalls(taskbar, dialog).size() == 1; }, 5000));
  const std::string added = IconCalls(taskbar, dialog)[0];
  EXPECT_TRUE(StartsWith(added, "NIM 0 ")) << added;
  EXPECT_EQ(TipOf(added), kMainTitle);

  // The icon is the program's again: it goes at exit.
  ASSERT_TRUE(panorel.Exit());
  const std::vector<std::string> calls = IconCalls(taskbar, dialog);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(StartsWith(calls[1], "NIM 2 "));
}

TEST(TrayIconTest, AMissingIconFileFallsBackToTheProgramsIconAndLeavesTheSettingsAlone) {
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  const std::string missing = panorel.Folder().File("no such.ico") + ",3";
  panorel.WriteIni("Setup", "Icon", missing.c_str());
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  // The file gave the button no image; the notification icon's fallback did.
  EXPECT_TRUE(WaitUntil(
      [&] { return SendDlgItemMessageA(dialog, IDC_BUTTON_ICON, BM_GETIMAGE, IMAGE_ICON, 0) != 0; }, 3000));
  EXPECT_EQ(panorel.ReadIni("Setup", "Icon"), missing);
  EXPECT_TRUE(panorel.Exit());
  EXPECT_EQ(panorel.ReadIni("Setup", "Icon"), missing);
}

}  // namespace

namespace {

// The balloons a dialog's icon has shown, "<title>|<text>" each.
std::vector<std::string> BalloonsOf(const FakeTaskbar& taskbar, HWND dialog) {
  std::vector<std::string> balloons;
  for (const std::string& call : taskbar.CallsFor(dialog, kTrayIconId)) {
    if (!BalloonOfCall(call).empty()) balloons.push_back(BalloonOfCall(call));
  }
  return balloons;
}

TEST(WelcomeBalloonTest, AcceptingTheAgreementShowsOneBalloonNamingTheKeysInUseAndTheNextStartNone) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  PanorelInstance panorel;
  // Alt+F9 switches: the balloon follows the settings, and the move key
  // follows the switch key (plus Shift).
  ASSERT_TRUE(panorel.SetIniText("[Setup]\r\nHotKeyFlags=1\r\nHotKey=120\r\n"));
  Process& first = panorel.Start();
  HWND agreement = WaitForTopLevel(first.Id(), "#32770", kAgreementTitle);
  ASSERT_NE(agreement, nullptr);
  Click(agreement, IDOK);
  HWND dialog = WaitForStartedDialog(first);
  ASSERT_NE(dialog, nullptr);
  const std::vector<std::string> expected = {
      "Panorel 正在运行|Panorel 在通知区域中运行。按 Alt+F9 切换桌面,按 Alt+Shift+F9 "
      "把当前窗口移到另一个桌面;单击这个图标也可以切换桌面。"};
  EXPECT_EQ(BalloonsOf(taskbar, dialog), expected);
  EXPECT_TRUE(panorel.Exit());

  Process& second = panorel.Start();
  dialog = WaitForStartedDialog(second);
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(taskbar.CallsFor(dialog, kTrayIconId).empty()) << "the icon is there";
  EXPECT_TRUE(BalloonsOf(taskbar, dialog).empty()) << "a later start says nothing";
  EXPECT_TRUE(panorel.Exit());
}

}  // namespace
