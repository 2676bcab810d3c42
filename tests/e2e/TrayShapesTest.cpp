// Other programs' notification icons split by the real program on each shape
// of taskbar: the programs' toolbar one level under a pager, the system's
// own toolbar beside it with an overflow window of more programs' icons
// (run once more with a 64-bit taskbar and Panorel under WoW64), and the
// newest taskbars that have no icon toolbar at all.
#include <gtest/gtest.h>

#include <cstdlib>

#include "res/SwitcherDlgIds.h"
#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

constexpr char kNoIconToolbarText[] = "这个任务栏不允许 Panorel 在两个桌面之间分开其它程序的托盘图标。";

bool IsWow64(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
  BOOL wow64 = FALSE;
  IsWow64Process(process, &wow64);
  CloseHandle(process);
  return wow64 != FALSE;
}

class TrayShapeTest : public ::testing::TestWithParam<const char*> {};

TEST_P(TrayShapeTest, OtherProgramsIconsInEveryProgramsToolbarFollowTheirDesktopAndTheSystemsStayAsTheyAre) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  FakeTaskbar taskbar(GetParam());
  ASSERT_TRUE(taskbar.IsReady());
  if (std::getenv("PANOREL_EXPECT_WOW64")) {
    ASSERT_TRUE(IsWow64(GetCurrentProcessId())) << "this run is for 32-bit programs under WoW64";
    ASSERT_FALSE(IsWow64(taskbar.ProcessId())) << "beside a 64-bit taskbar";
  }
  const bool overflow = taskbar.Toolbar(taskbar::kOverflowToolbar) != nullptr;
  const LPARAM overflowOrNot = overflow ? taskbar::kInOverflow : 0;

  HWND mail = farm.Open();
  HWND chat = farm.Open();
  const int mailIcon = taskbar.AddButton(mail);
  const int chatIcon = taskbar.AddButton(chat, overflowOrNot);
  // System icons named by other programs' windows, so that only the
  // toolbar's place tells them apart.
  const int systemShown = overflow ? taskbar.AddButton(mail, taskbar::kInSystemArea) : 0;
  const int systemHidden = overflow ? taskbar.AddButton(chat, taskbar::kInSystemArea | taskbar::kHidden) : 0;
  RunningPanorel panorel({{"HideElseIcon", "Y"}});
  ASSERT_NE(panorel.Dialog(), nullptr);
  const int own = taskbar.AddButton(panorel.Dialog(), overflowOrNot);
  auto systemUnchanged = [&] { return !overflow || (!taskbar.IsHidden(systemShown) && taskbar.IsHidden(systemHidden)); };

  panorel.Switch();  // to desktop 2
  EXPECT_TRUE(taskbar.IsHidden(mailIcon));
  EXPECT_TRUE(taskbar.IsHidden(chatIcon));
  EXPECT_FALSE(taskbar.IsHidden(own));
  EXPECT_TRUE(systemUnchanged());
  HWND second = farm.Open();
  const int secondIcon = taskbar.AddButton(second, overflowOrNot);

  panorel.Switch();  // to desktop 1
  EXPECT_FALSE(taskbar.IsHidden(mailIcon));
  EXPECT_FALSE(taskbar.IsHidden(chatIcon));
  EXPECT_TRUE(taskbar.IsHidden(secondIcon)) << "added on desktop 2, it stays there";
  HWND first = farm.Open();
  const int firstIcon = taskbar.AddButton(first);

  panorel.Switch();  // to desktop 2
  EXPECT_FALSE(taskbar.IsHidden(secondIcon));
  EXPECT_TRUE(taskbar.IsHidden(firstIcon)) << "added on desktop 1, it stays there";
  EXPECT_TRUE(taskbar.IsHidden(mailIcon));
  EXPECT_TRUE(systemUnchanged());

  ASSERT_TRUE(panorel.Instance().Exit());
  for (int id : {mailIcon, chatIcon, own, firstIcon}) EXPECT_FALSE(taskbar.IsHidden(id)) << id;
  EXPECT_TRUE(systemUnchanged()) << "the exit shows only what the program may have hidden";
}

INSTANTIATE_TEST_SUITE_P(Shapes, TrayShapeTest, ::testing::Values(taskbar::kPager, taskbar::kSystemAndOverflow),
                         [](const auto& info) { return info.index == 0 ? "Pager" : "SystemAndOverflow"; });

TEST(NoIconToolbarTest, WindowsStillSwitchAndTickingTheOptionTellsTheUserItCannotWorkHere) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  FakeTaskbar taskbar(taskbar::kNoNotifyArea);
  ASSERT_TRUE(taskbar.IsReady());
  HWND window = farm.Open();
  RunningPanorel panorel({{"HideElseIcon", "N"}});
  HWND dialog = panorel.Dialog();
  ASSERT_NE(dialog, nullptr);

  ASSERT_TRUE(panorel.ShowBySecondStart());
  Click(dialog, IDC_CHECK_OTHER_ICONS);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(dialog, IDC_CHECK_OTHER_ICONS); }, 3000));
  PostMessageA(GetDlgItem(dialog, IDC_BUTTON_OK), BM_CLICK, 0, 0);
  HWND box = WaitForMessageBox(panorel.process().Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kNoIconToolbarText);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !Visible(dialog); }, 5000));
  EXPECT_EQ(panorel.Instance().ReadIni("Setup", "HideElseIcon"), "Y") << "saved as chosen";

  panorel.Switch();
  EXPECT_FALSE(Visible(window));
  panorel.Switch();
  EXPECT_TRUE(Visible(window));
  EXPECT_EQ(FindMessageBox(panorel.process().Id()), nullptr) << "a switch tells the user nothing";
}

}  // namespace
