// No window left behind, however the program ends: killed from outside
// (its watcher gives the windows back, or the next start when the watcher
// went too), crashed, or ended with the session. And desktops that come
// back as they were left, showing only what the program itself hid.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "res/SwitcherDlgIds.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

constexpr DWORD kRecoveryTimeoutMs = 10000;
// "Within about 2 s" of a kill or an exit, with room for a loaded machine.
constexpr DWORD kWatcherDeadlineMs = 3000;

std::string RecoveryPathOf(const PanorelInstance& panorel) {
  const std::string ini = panorel.IniPath();
  return ini.substr(0, ini.size() - 4) + ".recovery";
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Where the record goes when the place beside the settings refuses it.
std::string PerUserRecoveryPath() {
  char folder[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  return std::string(folder) + "\\Panorel\\Panorel.recovery";
}

int WindowsTitled(const char* title) {
  int count = 0;
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title); window;
       window = FindWindowExA(nullptr, window, nullptr, title)) {
    ++count;
  }
  return count;
}

// The windows among those given, in the order they stack, top first.
std::vector<HWND> StackOrder(const std::vector<HWND>& windows) {
  std::vector<HWND> order;
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    for (HWND candidate : windows) {
      if (candidate == window) order.push_back(window);
    }
  }
  return order;
}

// Five windows of another program hidden on desktop 1 while Panorel runs on
// desktop 2: what a Panorel that goes away must not strand.
class WindowsOnDesktopOneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(farm.IsReady());
    windows = farm.OpenMany(5);
    ASSERT_NE(panorel.Dialog(), nullptr);
    panorel.Switch();  // to desktop 2
    ASSERT_TRUE(AllVisible(windows, false));
  }

  WindowFarm farm;
  std::vector<HWND> windows;
  RunningPanorel panorel;
};

TEST_F(WindowsOnDesktopOneTest, AKillIsAnsweredByTheWatcherAloneWithinAboutTwoSeconds) {
  const DWORD watcher = panorel.Instance().WatcherId();
  ASSERT_NE(watcher, 0u) << "one watcher";
  ASSERT_TRUE(panorel.ShowBySecondStart());
  EXPECT_EQ(WindowsTitled(kMainTitle), 1) << "still one Panorel with a window";
  EXPECT_EQ(panorel.Instance().WatcherId(), watcher);

  panorel.process().Terminate();
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(windows, true); }, kWatcherDeadlineMs)) << "without a new start";
  EXPECT_TRUE(WaitUntil([&] { return !Exists(RecoveryPathOf(panorel.Instance())); }, kWatcherDeadlineMs));
  EXPECT_TRUE(WaitUntil([&] { return !IsProcessRunning(watcher); }, kWatcherDeadlineMs));
}

TEST_F(WindowsOnDesktopOneTest, AfterTheWatcherTooIsKilledTheNextStartGivesEveryWindowBack) {
  EXPECT_TRUE(Exists(RecoveryPathOf(panorel.Instance()))) << "on disk while windows are hidden";
  const DWORD watcher = panorel.Instance().WatcherId();
  ASSERT_NE(watcher, 0u);
  TerminateProcessById(watcher);
  panorel.Switch();
  ASSERT_TRUE(AllVisible(windows, true)) << "Panorel goes on without its watcher";
  panorel.Switch();
  ASSERT_TRUE(AllVisible(windows, false));

  panorel.process().Terminate();
  ASSERT_TRUE(panorel.process().WaitForExit());
  PumpFor(1500);
  ASSERT_TRUE(AllVisible(windows, false)) << "nothing else gives them back";

  PanorelInstance& again = panorel.Instance();
  again.Start();
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(windows, true); }, kRecoveryTimeoutMs));
  HWND dialog = again.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !Exists(RecoveryPathOf(again)); }, 5000)) << "the record is spent";

  DWORD_PTR result = 0;
  SendMessageTimeoutA(dialog, WM_HOTKEY, 0, 0, SMTO_NORMAL, 30000, &result);
  EXPECT_TRUE(AllVisible(windows, false)) << "the new instance switches as usual";
  SendMessageTimeoutA(dialog, WM_HOTKEY, 0, 0, SMTO_NORMAL, 30000, &result);
  EXPECT_TRUE(AllVisible(windows, true));
  EXPECT_TRUE(again.Exit());
  EXPECT_FALSE(Exists(RecoveryPathOf(again))) << "a clean exit leaves no record";
}

TEST_F(WindowsOnDesktopOneTest, ACrashInsidePanorelShowsEveryWindowWithoutARestart) {
  // A thread started at address 0 dies of an access violation at once.
  HANDLE thread = CreateRemoteThread(panorel.process().Handle(), nullptr, 0, nullptr, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  CloseHandle(thread);
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(windows, true); }, kRecoveryTimeoutMs));
  EXPECT_TRUE(panorel.process().WaitForExit()) << "the process still ends as it would have";
}

TEST_F(WindowsOnDesktopOneTest, TheEndOfTheSessionShowsEveryWindowBeforeTheProcessIsEnded) {
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(panorel.Dialog(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer));
  EXPECT_EQ(answer, TRUE) << "the session may end";
  ASSERT_TRUE(SendMessageTimeoutA(panorel.Dialog(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &answer));
  // The system may end the process the moment the message returns.
  EXPECT_TRUE(AllVisible(windows, true));
  panorel.process().Terminate();
}

TEST(RecoveryTest, ATornRecordIsIgnoredAndAWindowItsProgramHidStaysHidden) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND tucked = farm.Open();
  ASSERT_TRUE(farm.Show(tucked, SW_HIDE));
  char className[256] = "";
  GetClassNameA(tucked, className, sizeof className);

  PanorelInstance panorel;
  panorel.AcceptAgreement();
  {
    // Names the hidden window, but was cut short before its end.
    std::ofstream record(RecoveryPathOf(panorel), std::ios::binary);
    char line[512];
    std::snprintf(line, sizeof line, "Panorel recovery 1\nwindow 0x%08lX %lu %s\n",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(tucked)),
                  static_cast<unsigned long>(farm.ProcessId()), className);
    record << line << "end";
  }
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr) << "a normal start";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  EXPECT_FALSE(Exists(RecoveryPathOf(panorel)));
  EXPECT_FALSE(IsWindowVisible(tucked));
  EXPECT_TRUE(panorel.Exit());
}

TEST(RecoveryTest, ADesktopComesBackStackedAsItWasLeftWithItsActiveWindow) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  const std::vector<HWND> windows = farm.OpenMany(5);
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);

  const std::vector<HWND> stacked = {windows[2], windows[4], windows[3], windows[1], windows[0]};
  for (auto window = stacked.rbegin(); window != stacked.rend(); ++window) {
    SetWindowPos(*window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  SetForegroundWindow(windows[2]);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == windows[2]; }, 5000));
  ASSERT_EQ(StackOrder(windows), stacked);

  panorel.Switch();
  ASSERT_TRUE(AllVisible(windows, false));
  panorel.Switch();
  ASSERT_TRUE(AllVisible(windows, true));
  EXPECT_EQ(StackOrder(windows), stacked);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == windows[2]; }, 5000));
}

TEST(RecoveryTest, AWindowItsOwnProgramHidIsShownNeitherOnReturnNorAtExit) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND tucked = farm.Open();
  HWND plain = farm.Open();
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  panorel.Switch();  // both hidden and recorded for desktop 1
  panorel.Switch();  // both back
  ASSERT_TRUE(AllVisible({tucked, plain}, true));

  ASSERT_TRUE(farm.Show(tucked, SW_HIDE));  // minimised to its own icon, say
  panorel.Switch();
  panorel.Switch();
  EXPECT_TRUE(IsWindowVisible(plain));
  EXPECT_FALSE(IsWindowVisible(tucked)) << "not shown on return";
  panorel.Switch();
  ASSERT_TRUE(panorel.Instance().Exit());
  EXPECT_TRUE(IsWindowVisible(plain));
  EXPECT_FALSE(IsWindowVisible(tucked)) << "not shown at exit";
}

TEST(WatcherTest, ACleanExitEndsTheWatcherAndAWindowThatHidItselfSinceIsNotShownAfterAKill) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND tucked = farm.Open();
  HWND plain = farm.Open();
  {
    RunningPanorel panorel;
    ASSERT_NE(panorel.Dialog(), nullptr);
    const DWORD watcher = panorel.Instance().WatcherId();
    ASSERT_NE(watcher, 0u);
    Click(panorel.Dialog(), IDC_BUTTON_EXIT);
    EXPECT_TRUE(WaitUntil([&] { return !IsProcessRunning(watcher); }, kWatcherDeadlineMs)) << "no watcher left";
    EXPECT_TRUE(panorel.process().WaitForExit());
  }

  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  const DWORD watcher = panorel.Instance().WatcherId();
  ASSERT_NE(watcher, 0u);
  panorel.Switch();
  panorel.Switch();
  ASSERT_TRUE(AllVisible({tucked, plain}, true));
  ASSERT_TRUE(farm.Show(tucked, SW_HIDE));  // minimised to its own icon, say
  panorel.process().Terminate();
  ASSERT_TRUE(WaitUntil([&] { return !IsProcessRunning(watcher); }, kWatcherDeadlineMs));
  PumpFor(500);
  EXPECT_FALSE(IsWindowVisible(tucked)) << "the record said what was hidden, not what had been";
}

TEST(WatcherTest, ARecordMadeReadOnlyMovesToTheUsersOwnPlaceAndAKillStillGivesEverythingBack) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  const std::vector<HWND> windows = farm.OpenMany(4);
  RunningPanorel panorel;
  ASSERT_NE(panorel.Dialog(), nullptr);
  const std::string besideSettings = RecoveryPathOf(panorel.Instance());
  panorel.Switch();
  panorel.Switch();
  ASSERT_TRUE(Exists(besideSettings));
  ASSERT_TRUE(SetFileAttributesA(besideSettings.c_str(), FILE_ATTRIBUTE_READONLY));

  panorel.Switch();
  ASSERT_TRUE(AllVisible(windows, false));
  EXPECT_TRUE(Exists(PerUserRecoveryPath()));
  EXPECT_FALSE(Exists(besideSettings)) << "a record in one place only";
  panorel.process().Terminate();
  EXPECT_TRUE(WaitUntil([&] { return AllVisible(windows, true); }, kWatcherDeadlineMs));
  EXPECT_TRUE(WaitUntil([&] { return !Exists(PerUserRecoveryPath()); }, kWatcherDeadlineMs));
}

TEST(SingleInstanceRaceTest, TwoStartsAtTheSameInstantLeaveOneRunning) {
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  const std::string commandLine = "\"" + panorel.ExePath() + "\"";
  // Both wait at the starting line, then go together.
  Process first(commandLine, panorel.Folder().Path(), Process::Start::kSuspended);
  Process second(commandLine, panorel.Folder().Path(), Process::Start::kSuspended);
  ASSERT_TRUE(first.IsStarted() && second.IsStarted());
  first.Resume();
  second.Resume();

  EXPECT_TRUE(WaitUntil([&] { return !first.IsRunning() || !second.IsRunning(); }, 20000));
  PumpFor(1000);
  ASSERT_NE(first.IsRunning(), second.IsRunning()) << "exactly one runs on";
  Process& loser = first.IsRunning() ? second : first;
  EXPECT_EQ(loser.ExitCode(), 0u);
  Process& winner = first.IsRunning() ? first : second;
  HWND dialog = WaitForTopLevel(winner.Id(), "#32770", kMainTitle, false);
  ASSERT_NE(dialog, nullptr);
  Click(dialog, IDC_BUTTON_EXIT);
  EXPECT_TRUE(winner.WaitForExit());
}

}  // namespace
