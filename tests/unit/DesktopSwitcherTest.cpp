// The switch on real windows of another process (the window farm), with the
// engine's lists read directly.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "switcher/DesktopSwitcher.h"
#include "switcher/WindowEntry.h"
#include "switcher/WindowPings.h"
#include "tests/automation/Panorel.h"
#include "tests/unit/ScratchContext.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"

using automation::WaitUntil;
using automation::WindowFarm;

namespace {

bool Contains(const CDWordArrayEx& list, HWND window) { return list.Find(EntryOf(window)) >= 0; }

bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }

class DesktopSwitcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_farm.IsReady());
    m_own = CreateWindowExA(0, "STATIC", "the program's own window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200,
                            100, nullptr, nullptr, nullptr, nullptr);
    m_switcher.SetOwnWindow(m_own);
  }
  void TearDown() override {
    // Whatever a test left hidden comes back before the next one.
    m_switcher.ShowRememberedWindows();
    DestroyWindow(m_own);
  }

  // Every handle is in at most one list, at most once.
  void ExpectListsDisjointAndUnique() {
    std::set<DWORD> seen;
    for (const CDWordArrayEx* list : {&m_switcher.Desk1Windows(), &m_switcher.Desk2Windows()}) {
      for (int i = 0; i < list->GetSize(); ++i) EXPECT_TRUE(seen.insert(list->GetAt(i)).second) << i;
    }
  }

  ScratchContext m_context{"switch test"};
  CDesktopSwitcher m_switcher{m_context};
  WindowFarm m_farm;
  HWND m_own = nullptr;
};

TEST_F(DesktopSwitcherTest, FirstSwitchHidesAndRecordsTenWindowsAndSwitchingBackShowsThem) {
  const std::vector<HWND> windows = m_farm.OpenMany(10);
  ASSERT_EQ(windows.size(), 10u);

  m_switcher.SwitchDesktop();
  EXPECT_EQ(m_switcher.ActiveDesktop(), 1);
  for (HWND window : windows) {
    EXPECT_FALSE(Visible(window));
    EXPECT_TRUE(Contains(m_switcher.Desk1Windows(), window));
  }
  EXPECT_EQ(m_switcher.Desk2Windows().GetSize(), 0);
  // Recorded in the order the platform listed them: the list's own order.
  const int recorded = m_switcher.Desk1Windows().GetSize();

  m_switcher.SwitchDesktop();
  EXPECT_EQ(m_switcher.ActiveDesktop(), 0);
  for (HWND window : windows) EXPECT_TRUE(Visible(window));
  EXPECT_EQ(m_switcher.Desk1Windows().GetSize(), recorded) << "switching back records nothing";
  EXPECT_EQ(m_switcher.Desk2Windows().GetSize(), 0);
  EXPECT_TRUE(Visible(m_own)) << "the program's own window is never hidden";
  ExpectListsDisjointAndUnique();
}

TEST_F(DesktopSwitcherTest, AWindowOpenedOnDesktop2BelongsToItAndComesBackOnlyThere) {
  HWND first = m_farm.Open();
  m_switcher.SwitchDesktop();  // to desktop 2
  HWND second = m_farm.Open();
  ASSERT_TRUE(Visible(second));

  m_switcher.SwitchDesktop();  // to desktop 1
  EXPECT_FALSE(Visible(second));
  EXPECT_TRUE(Visible(first));
  EXPECT_TRUE(Contains(m_switcher.Desk2Windows(), second));

  m_switcher.SwitchDesktop();  // to desktop 2
  EXPECT_TRUE(Visible(second));
  EXPECT_FALSE(Visible(first));
  ExpectListsDisjointAndUnique();
}

TEST_F(DesktopSwitcherTest, ADesktop2WindowThatShowsItselfOnDesktop1StaysUntilTheNextSwitchThenFollows) {
  m_switcher.SwitchDesktop();  // to desktop 2
  HWND window = m_farm.Open();
  m_switcher.SwitchDesktop();  // to desktop 1: recorded for desktop 2, hidden
  ASSERT_FALSE(Visible(window));

  m_farm.Show(window, SW_SHOW);
  ASSERT_TRUE(WaitUntil([&] { return Visible(window); }, 3000));
  m_switcher.SwitchDesktop();  // to desktop 2: it is desktop 2's, so it stays
  EXPECT_TRUE(Visible(window));
  m_switcher.SwitchDesktop();  // to desktop 1: hidden again
  EXPECT_FALSE(Visible(window));
  EXPECT_FALSE(Contains(m_switcher.Desk1Windows(), window));
}

TEST_F(DesktopSwitcherTest, AHungWindowStaysVisibleAndUnrecordedUntilItAnswersAgain) {
  HWND hung = m_farm.Open(farm::Kind::kOwnThread);
  HWND plain = m_farm.Open();
  ASSERT_TRUE(m_farm.Hang(hung));

  m_switcher.SwitchDesktop();  // to desktop 2
  EXPECT_TRUE(Visible(hung));
  EXPECT_FALSE(Contains(m_switcher.Desk1Windows(), hung));
  EXPECT_FALSE(Contains(m_switcher.Desk2Windows(), hung));
  EXPECT_FALSE(Visible(plain)) << "the others switch all the same";

  m_switcher.SwitchDesktop();  // to desktop 1: still hung, still on both desktops
  EXPECT_TRUE(Visible(hung));

  ASSERT_TRUE(m_farm.Resume(hung));
  m_switcher.SwitchDesktop();  // to desktop 2: now it answers and is recorded for desktop 1
  EXPECT_FALSE(Visible(hung));
  EXPECT_TRUE(Contains(m_switcher.Desk1Windows(), hung));
}

TEST_F(DesktopSwitcherTest, AWindowAnsweringNonZeroIsRecordedButNeverHidden) {
  HWND stubborn = m_farm.Open(farm::Kind::kNonZeroNull);
  m_switcher.SwitchDesktop();
  EXPECT_TRUE(Contains(m_switcher.Desk1Windows(), stubborn));
  EXPECT_TRUE(Visible(stubborn));
  m_switcher.SwitchDesktop();
  EXPECT_TRUE(Visible(stubborn));
  m_switcher.SwitchDesktop();
  EXPECT_TRUE(Visible(stubborn));
}

TEST_F(DesktopSwitcherTest, TheTaskbarAndTheDesktopWindowAreNeverHidden) {
  // Stand-ins of the shell's windows, found by their class names.
  WNDCLASSA shellClass = {};
  shellClass.lpfnWndProc = DefWindowProcA;
  shellClass.hInstance = GetModuleHandleA(nullptr);
  shellClass.lpszClassName = "Progman";
  RegisterClassA(&shellClass);
  HWND progman = CreateWindowExA(WS_EX_TOPMOST, "Progman", "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, shellClass.hInstance, nullptr);
  ASSERT_EQ(FindWindowA("Progman", nullptr), progman);

  m_switcher.SwitchDesktop();
  EXPECT_TRUE(Visible(progman));
  EXPECT_FALSE(Contains(m_switcher.Desk1Windows(), progman));
  if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr)) {
    EXPECT_FALSE(Contains(m_switcher.Desk1Windows(), taskbar));
  }
  EXPECT_TRUE(Visible(m_own));
  DestroyWindow(progman);
  UnregisterClassA("Progman", shellClass.hInstance);
}

TEST_F(DesktopSwitcherTest, WindowsHiddenBeforeTheSwitchAreNeverRecorded) {
  HWND hidden = m_farm.Open();
  m_farm.Show(hidden, SW_HIDE);
  ASSERT_TRUE(WaitUntil([&] { return !Visible(hidden); }, 3000));
  m_switcher.SwitchDesktop();
  m_switcher.SwitchDesktop();
  EXPECT_FALSE(Contains(m_switcher.Desk1Windows(), hidden));
  EXPECT_FALSE(Contains(m_switcher.Desk2Windows(), hidden));
  EXPECT_FALSE(Visible(hidden));
}

TEST_F(DesktopSwitcherTest, OwnedPopupsAndToolWindowsTakePartLikeAnyOther) {
  HWND owner = m_farm.Open();
  HWND popup = m_farm.Open(farm::Kind::kOwnedPopup, owner);
  HWND tool = m_farm.Open(farm::Kind::kToolWindow);
  m_switcher.SwitchDesktop();
  for (HWND window : {owner, popup, tool}) {
    EXPECT_FALSE(Visible(window));
    EXPECT_TRUE(Contains(m_switcher.Desk1Windows(), window));
  }
  m_switcher.SwitchDesktop();
  for (HWND window : {owner, popup, tool}) EXPECT_TRUE(Visible(window));
}

TEST_F(DesktopSwitcherTest, ADestroyedWindowKeepsItsEntryAndShowingItDoesNoHarm) {
  HWND doomed = m_farm.Open();
  HWND survivor = m_farm.Open();
  m_switcher.SwitchDesktop();  // both recorded for desktop 1
  ASSERT_TRUE(m_farm.Close(doomed));
  ASSERT_FALSE(IsWindow(doomed));

  m_switcher.SwitchDesktop();  // back to desktop 1: pings the dead handle
  EXPECT_TRUE(Contains(m_switcher.Desk1Windows(), doomed));
  EXPECT_TRUE(Visible(survivor));
  m_switcher.ShowRememberedWindows();
  EXPECT_TRUE(Visible(survivor));
}

TEST_F(DesktopSwitcherTest, ExitShowsEveryRecordedWindowWhicheverDesktopIsActive) {
  HWND one = m_farm.Open();
  m_switcher.SwitchDesktop();  // to 2
  HWND two = m_farm.Open();
  m_switcher.SwitchDesktop();  // to 1
  m_switcher.SwitchDesktop();  // to 2
  ASSERT_FALSE(Visible(one));
  m_switcher.ShowRememberedWindows();
  EXPECT_TRUE(Visible(one));
  EXPECT_TRUE(Visible(two));

  m_switcher.SwitchDesktop();  // to 1
  ASSERT_FALSE(Visible(two));
  m_switcher.ShowRememberedWindows();
  EXPECT_TRUE(Visible(one));
  EXPECT_TRUE(Visible(two));
}

TEST_F(DesktopSwitcherTest, AWindowBusyAtExitIsShownOnceItPumpsAgain) {
  HWND busy = m_farm.Open(farm::Kind::kOwnThread);
  m_switcher.SwitchDesktop();  // answered, so hidden and recorded
  ASSERT_FALSE(Visible(busy));
  ASSERT_TRUE(Contains(m_switcher.Desk1Windows(), busy));

  ASSERT_TRUE(m_farm.Hang(busy));
  m_switcher.ShowRememberedWindows();
  ASSERT_TRUE(m_farm.Resume(busy));
  EXPECT_TRUE(WaitUntil([&] { return Visible(busy); }, 5000)) << "a window the program hid is never left hidden";
}

TEST(WindowPingsTest, RepliesAreCollectedTogetherAndALateOneReachesItsHandler) {
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  HWND plain = farm.Open();
  HWND stubborn = farm.Open(farm::Kind::kNonZeroNull);
  HWND stalled = farm.Open(farm::Kind::kOwnThread);
  ASSERT_TRUE(farm.Hang(stalled));
  // The hang is posted: it holds once a ping no longer comes back.
  ASSERT_TRUE(WaitUntil([&] { return !SendMessageTimeoutA(stalled, WM_NULL, 0, 0, SMTO_NORMAL, 50, nullptr); }, 3000));

  std::vector<HWND> late;
  CWindowPings pings({plain, stubborn, stalled}, [&](HWND window, LRESULT) { late.push_back(window); });
  pings.WaitForAll(GetTickCount() + 500);
  EXPECT_EQ(pings.ReplyOf(0), CPingReply::kZero);
  EXPECT_EQ(pings.ReplyOf(1), CPingReply::kNonZero);
  EXPECT_EQ(pings.ReplyOf(2), CPingReply::kPending);
  EXPECT_FALSE(pings.AllSettled());
  pings.GiveUpPending();
  EXPECT_TRUE(pings.AllSettled());

  ASSERT_TRUE(farm.Resume(stalled));
  EXPECT_TRUE(WaitAnsweringSentMessages(GetTickCount() + 3000, [&] { return !late.empty(); }));
  EXPECT_EQ(late, std::vector<HWND>{stalled});
  EXPECT_EQ(pings.ReplyOf(2), CPingReply::kGivenUp) << "a late reply does not count as an answer in time";
}

}  // namespace
