// The text menu's grammar, and the menus it builds read back through the
// platform's own menu queries.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "ui/TextMenu.h"
#include "ui/TextMenuGrammar.h"

namespace {

CStringArrayEx ListOf(std::initializer_list<const char*> texts) {
  CStringArrayEx list;
  for (const char* text : texts) list.Add(text);
  return list;
}

CDWordArrayEx FlagsOf(std::initializer_list<DWORD> values) {
  CDWordArrayEx flags;
  for (DWORD value : values) flags.Add(value);
  return flags;
}

// One level as text: "caption=id" for items with "!c" when checked and "!g"
// when grayed, "---" for separators, "caption{...}" for submenus.
std::string Describe(HMENU menu, std::vector<HMENU>* seen) {
  seen->push_back(menu);
  std::string text;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if (position > 0) text += ",";
    const UINT state = GetMenuState(menu, position, MF_BYPOSITION);
    if (state & MF_SEPARATOR) {
      text += "---";
      continue;
    }
    char caption[256] = "";
    GetMenuStringA(menu, position, caption, sizeof caption, MF_BYPOSITION);
    text += caption;
    if (HMENU submenu = GetSubMenu(menu, position)) {
      text += "{" + Describe(submenu, seen) + "}";
    } else {
      text += "=" + std::to_string(static_cast<int>(GetMenuItemID(menu, position)));
    }
    if (state & MF_CHECKED) text += "!c";
    if (state & MF_GRAYED) text += "!g";
  }
  return text;
}

struct BuiltMenu {
  std::string description;
  UINT counterAfter = 0;
  int handlesLeft = 0;
};

// Builds the menu the way the text menu does, reads it, and destroys it.
BuiltMenu Build(const CStringArrayEx& items, const CDWordArrayEx* checked = nullptr,
                const CDWordArrayEx* grayed = nullptr) {
  auto menu = std::make_unique<CMenu>();
  menu->CreatePopupMenu();
  UINT counter = IDM_TEXTMENU_FIRST;
  BuildTextMenu(menu.get(), &items, items.GetSize(), &counter, 0, checked, grayed);
  BuiltMenu built;
  std::vector<HMENU> seen;
  built.description = Describe(menu->GetSafeHmenu(), &seen);
  built.counterAfter = counter;
  DestroyTextMenu(std::move(menu));
  for (HMENU handle : seen) built.handlesLeft += IsMenu(handle) ? 1 : 0;
  return built;
}

TEST(TextMenuGrammarTest, ReadsItemsSeparatorsAndSubmenuHeaders) {
  EXPECT_EQ(ReadTextMenuEntry("设置(&S)").kind, TextMenuEntry::kItem);
  EXPECT_EQ(ReadTextMenuEntry("设置(&S)").caption, "设置(&S)");
  EXPECT_EQ(ReadTextMenuEntry("-").kind, TextMenuEntry::kItem) << "a bare dash is an item";

  for (const char* separator : {"-\r\n0", "X\r\n", "X\r\n0", "X\r\n-4", "X\r\nabc", "\r\n"}) {
    EXPECT_EQ(ReadTextMenuEntry(separator).kind, TextMenuEntry::kSeparator) << separator;
  }

  const TextMenuEntry header = ReadTextMenuEntry("文件\r\n 12abc\r\n3");
  EXPECT_EQ(header.kind, TextMenuEntry::kSubmenu);
  EXPECT_EQ(header.caption, "文件") << "everything before the first CR LF";
  EXPECT_EQ(header.submenuCount, 12) << "read like atol: blanks skipped, up to the first non-digit";
  EXPECT_EQ(ReadTextMenuEntry("S\r\n+2").submenuCount, 2);
  EXPECT_EQ(ReadTextMenuEntry("S\r\n99999999999999999999").submenuCount, 0x7FFFFFFFL) << "saturates";
}

TEST(TextMenuGrammarTest, FlagsComeFromEitherArrayAndReadZeroPastItsEnd) {
  const CDWordArrayEx checked = FlagsOf({0, 1});
  const CDWordArrayEx grayed = FlagsOf({1, 0, 7});
  EXPECT_EQ(TextMenuItemFlags(0, &checked, &grayed), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(TextMenuItemFlags(1, &checked, &grayed), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(TextMenuItemFlags(2, &checked, &grayed), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(TextMenuItemFlags(3, &checked, &grayed), static_cast<UINT>(MF_STRING));
  EXPECT_EQ(TextMenuItemFlags(1, nullptr, nullptr), static_cast<UINT>(MF_STRING));
}

TEST(BuildTextMenuTest, ItemsAndSeparatorsTakeTheIdOfTheirListIndex) {
  BuiltMenu built = Build(ListOf({"A", "-\r\n0", "B"}));
  EXPECT_EQ(built.description, "A=10000,---,B=10002");
  EXPECT_EQ(built.counterAfter, 10003u);
  EXPECT_EQ(built.handlesLeft, 0);

  built = Build(ListOf({"X\r\n", "X\r\n0", "X\r\n-4", "X\r\nabc", "-"}));
  EXPECT_EQ(built.description, "---,---,---,---,-=10004");

  built = Build(ListOf({"设置(&S)", "-\r\n0", "关于 Panorel (&A)", "退出 Panorel (&X)"}));
  EXPECT_EQ(built.description, "设置(&S)=10000,---,关于 Panorel (&A)=10002,退出 Panorel (&X)=10003");
}

TEST(BuildTextMenuTest, SubmenusCountEntriesAtTheirOwnLevel) {
  BuiltMenu built = Build(ListOf({"File\r\n2", "Open", "Recent\r\n2", "a", "b", "Exit"}));
  EXPECT_EQ(built.description, "File{Open=10001,Recent{a=10003,b=10004}},Exit=10005");
  EXPECT_EQ(built.counterAfter, 10006u);
  EXPECT_EQ(built.handlesLeft, 0) << "every submenu destroyed with its parent";

  built = Build(ListOf({"Sub\r\n3", "x"}));
  EXPECT_EQ(built.description, "Sub{x=10001}") << "a count past the list's end is cut short";
  EXPECT_EQ(built.handlesLeft, 0);

  built = Build(ListOf({"Sub\r\n1"}));
  EXPECT_EQ(built.description, "Sub{(空)=0!g}");

  built = Build(ListOf({"Top\r\n1", "Mid\r\n1", "Leaf", "After"}));
  EXPECT_EQ(built.description, "Top{Mid{Leaf=10002}},After=10003");
  EXPECT_EQ(built.handlesLeft, 0);
}

TEST(BuildTextMenuTest, AnEmptyListGivesOneGrayedPlaceholder) {
  const BuiltMenu built = Build(ListOf({}));
  EXPECT_EQ(built.description, "(空)=0!g");
  EXPECT_EQ(built.counterAfter, IDM_TEXTMENU_FIRST);
  EXPECT_EQ(built.handlesLeft, 0);
}

TEST(BuildTextMenuTest, FlagArraysShorterThanTheListAndOnSubmenuHeaders) {
  const CDWordArrayEx checked = FlagsOf({0, 1});
  BuiltMenu built = Build(ListOf({"a", "b", "c"}), &checked);
  EXPECT_EQ(built.description, "a=10000,b=10001!c,c=10002");

  const CDWordArrayEx grayed = FlagsOf({1, 0, 0, 1});
  const CDWordArrayEx checkedSeparator = FlagsOf({0, 0, 1});
  built = Build(ListOf({"Sub\r\n1", "in", "-\r\n0", "last"}), &checkedSeparator, &grayed);
  EXPECT_EQ(built.description, "Sub{in=10001}!g,---,last=10003!g") << "separators ignore both arrays";
}

}  // namespace
