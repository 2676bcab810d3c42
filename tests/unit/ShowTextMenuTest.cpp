// ShowTextMenu for real: the menu pops up at the cursor and a second thread
// operates it with the keyboard, as the user would.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "tests/automation/Driving.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"
#include "ui/TextMenu.h"

namespace {

using automation::RunWhileDriving;
using automation::WaitUntil;

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

CStringArrayEx ListOf(std::initializer_list<const char*> texts) {
  CStringArrayEx list;
  for (const char* text : texts) list.Add(text);
  return list;
}

// The visible popup menus of this process, top-level first.
std::vector<HWND> OpenMenus() {
  std::vector<HWND> menus;
  for (HWND window : automation::TopLevelWindowsOf(GetCurrentProcessId())) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && std::string(className) == "#32768") menus.push_back(window);
  }
  return menus;
}

bool AnyOwnDialogVisible() {
  for (HWND window : automation::TopLevelWindowsOf(GetCurrentProcessId())) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && std::string(className) == "#32770") return true;
  }
  return false;
}

void CollectMenus(HMENU menu, std::vector<HMENU>* handles) {
  handles->push_back(menu);
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if (HMENU submenu = GetSubMenu(menu, position)) CollectMenus(submenu, handles);
  }
}

// What the driver saw of the menu before it pressed the keys.
struct MenuSeen {
  bool opened = false;
  RECT rect = {};
  bool ownerVisible = false;
  int topLevelItems = -1;
  std::vector<HMENU> handles;
};

// Waits for the menu, notes what it shows, then presses keys on it. Wine
// preselects no item: a Down comes before Return. Whatever happens, the
// menu is closed at the end so that the test cannot hang.
void DriveMenu(MenuSeen* seen, std::initializer_list<WPARAM> keys) {
  HWND menuWindow = nullptr;
  seen->opened = WaitUntil([&] { return !OpenMenus().empty() && (menuWindow = OpenMenus().front()); });
  if (!seen->opened) return;
  GetWindowRect(menuWindow, &seen->rect);
  seen->ownerVisible = AnyOwnDialogVisible();
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
  seen->topLevelItems = GetMenuItemCount(menu);
  CollectMenus(menu, &seen->handles);
  for (WPARAM key : keys) {
    // Keys go to the menu that has opened last.
    const std::vector<HWND> menus = OpenMenus();
    if (menus.empty()) break;
    PostMessageA(menus.back(), WM_KEYDOWN, key, 0);
    automation::PumpFor(50);
  }
  if (!WaitUntil([] { return OpenMenus().empty(); }, 3000)) {
    for (HWND open : OpenMenus()) PostMessageA(open, WM_KEYDOWN, VK_ESCAPE, 0);
  }
}

int ShowAndDrive(const CStringArrayEx& items, MenuSeen* seen, std::initializer_list<WPARAM> keys,
                 const CDWordArrayEx* grayed = nullptr) {
  return RunWhileDriving<int>([&] { return ShowTextMenu(&items, nullptr, grayed); },
                              [&] { DriveMenu(seen, keys); });
}

int LeftMenuHandles(const MenuSeen& seen) {
  int left = 0;
  for (HMENU handle : seen.handles) left += IsMenu(handle) ? 1 : 0;
  return left;
}

TEST(ShowTextMenuTest, PopsUpAtTheCursorAndReturnsTheChosenIndex) {
  SetCursorPos(400, 300);
  const CStringArrayEx items = ListOf({"A", "-\r\n0", "B"});
  MenuSeen seen;
  EXPECT_EQ(ShowAndDrive(items, &seen, {VK_DOWN, VK_DOWN, VK_RETURN}), 2) << "the separator is skipped";
  ASSERT_TRUE(seen.opened);
  EXPECT_LE(std::abs(seen.rect.left - 400), 4);
  EXPECT_LE(std::abs(seen.rect.top - 300), 4);
  EXPECT_FALSE(seen.ownerVisible) << "the owner dialog is never shown";
  EXPECT_EQ(seen.topLevelItems, 3);
  EXPECT_EQ(LeftMenuHandles(seen), 0);

  MenuSeen first;
  EXPECT_EQ(ShowAndDrive(items, &first, {VK_DOWN, VK_RETURN}), 0);
}

TEST(ShowTextMenuTest, EscapeOrAPlaceholderGivesMinusOne) {
  SetCursorPos(200, 200);
  MenuSeen seen;
  EXPECT_EQ(ShowAndDrive(ListOf({"A", "B"}), &seen, {VK_DOWN, VK_ESCAPE}), -1);
  EXPECT_TRUE(seen.opened);

  MenuSeen empty;
  EXPECT_EQ(ShowAndDrive(ListOf({}), &empty, {VK_DOWN, VK_RETURN, VK_ESCAPE}), -1);
  EXPECT_EQ(empty.topLevelItems, 1);
}

TEST(ShowTextMenuTest, AChoiceInsideNestedSubmenusReturnsItsListIndex) {
  SetCursorPos(300, 200);
  const CStringArrayEx items = ListOf({"File\r\n2", "Open", "Recent\r\n2", "a", "b", "Exit"});
  MenuSeen seen;
  // File, into it (Open), Recent, into it (a), b.
  EXPECT_EQ(ShowAndDrive(items, &seen, {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}), 4);
  EXPECT_EQ(seen.handles.size(), 3u);
  EXPECT_EQ(LeftMenuHandles(seen), 0) << "no menu handle left behind";

  MenuSeen exit;
  EXPECT_EQ(ShowAndDrive(items, &exit, {VK_DOWN, VK_DOWN, VK_RETURN}), 5);
}

}  // namespace
