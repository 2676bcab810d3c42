// The extras of the settings file through the real program: the key that
// moves the active window to the other desktop, the number on the
// notification icon, and programs whose windows stay on both desktops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

TEST(MoveKeyTest, ThePressedKeyMovesExactlyTheActiveWindowWhichComesBackOnTheOtherDesktopAndAtExit) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  const std::vector<HWND> windows = farm.OpenMany(3);
  HWND moved = windows[2], below = windows[1], bottom = windows[0];
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  SetForegroundWindow(moved);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == moved; }, 3000));

  // Unset, the move key is the switch combination plus Shift.
  PressKeys({VK_CONTROL, VK_SHIFT}, VK_F1);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(moved); }, 5000));
  EXPECT_TRUE(Visible(below) && Visible(bottom)) << "only the active window moves";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == below; }, 3000)) << "the one beneath takes over";

  panorel.Switch();  // to desktop 2, where it now belongs
  EXPECT_TRUE(Visible(moved));
  EXPECT_FALSE(Visible(below) || Visible(bottom));
  panorel.Switch();  // back to desktop 1, without it
  EXPECT_FALSE(Visible(moved));
  EXPECT_TRUE(Visible(below) && Visible(bottom));

  ASSERT_TRUE(panorel.Instance().Exit());
  EXPECT_TRUE(Visible(moved)) << "the exit gives it back";
}

TEST(MoveKeyTest, AMoveKeyHeldByAnotherProgramIsPassedOverInSilenceAndTheSwitchWorks) {
  HeldHotKey held(MOD_CONTROL | MOD_SHIFT, VK_F1);
  ASSERT_TRUE(held.IsHeld());
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND window = farm.Open();
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  EXPECT_EQ(FindMessageBox(panorel.process().Id()), nullptr) << "nothing is said";

  PressKeys({VK_CONTROL}, VK_F1);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(window); }, 5000));
  EXPECT_EQ(FindMessageBox(panorel.process().Id()), nullptr);
}

TEST(PinnedTest, APinnedProgramsWindowsStayThroughSwitchesWhileOthersGo) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  const std::vector<HWND> pinned = farm.OpenMany(2);
  // A window of this test program, which nobody pinned.
  HWND other = CreateWindowExA(0, "STATIC", "not pinned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  // Read at every switch, in any case, spaces around names allowed.
  panorel.Instance().WriteIni("Extras", "Pinned", "notepad.exe; HELPER_Windows.EXE ;player.exe");

  for (int desktop : {2, 1, 2}) {
    panorel.Switch();
    PumpFor(50);
    EXPECT_TRUE(Visible(pinned[0]) && Visible(pinned[1])) << "on desktop " << desktop;
    EXPECT_EQ(Visible(other), desktop == 1) << "on desktop " << desktop;
  }
  ASSERT_TRUE(panorel.Instance().Exit());
  // This thread did not answer while it waited for the exit: the show was
  // queued for when it pumps.
  EXPECT_TRUE(WaitUntil([&] { return Visible(other); }, 3000));
  EXPECT_EQ(panorel.Instance().ReadIni("Extras", "ShowDesktopNumber"), "<missing>") << "extras are never written";
  DestroyWindow(other);
}

TEST(DesktopNumberTest, TheIconCarriesTheNumberOnDesktop2AndIsPlainAgainOnDesktop1) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  RunningPanorel panorel;
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);
  auto calls = [&] { return taskbar.CallsFor(dialog, 0x402); };
  ASSERT_EQ(calls().size(), 1u);
  const std::string plain = IconOfCall(calls()[0]);
  ASSERT_FALSE(plain.empty()) << calls()[0];

  panorel.Switch();  // to desktop 2
  ASSERT_EQ(calls().size(), 2u);
  const std::string toDesktop2 = calls()[1];
  EXPECT_EQ(toDesktop2.rfind("NIM 1 ", 0), 0u) << toDesktop2;
  EXPECT_NE(toDesktop2.find(" flags=2 "), std::string::npos) << "the image only: the tip stays";
  const std::string badged = IconOfCall(toDesktop2);
  char smallSize[32];
  wsprintfA(smallSize, "icon=%dx%d:", GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  EXPECT_EQ(badged.rfind(smallSize, 0), 0u) << badged;
  EXPECT_EQ(plain.rfind(smallSize, 0), 0u) << "both at the size the system asks for: " << plain;
  EXPECT_NE(badged, plain);

  // A restarted taskbar gets the image of the desktop in front.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(dialog, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_NORMAL, 5000, &result);
  ASSERT_EQ(calls().size(), 3u);
  EXPECT_EQ(calls()[2].rfind("NIM 0 ", 0), 0u);
  EXPECT_EQ(IconOfCall(calls()[2]), badged);

  panorel.Switch();  // to desktop 1
  ASSERT_EQ(calls().size(), 4u);
  EXPECT_EQ(calls()[3].rfind("NIM 1 ", 0), 0u);
  EXPECT_EQ(IconOfCall(calls()[3]), plain);
}

}  // namespace
