// The first start's balloon names the keys as the form names them, and only
// the keys that are in use.
#include <gtest/gtest.h>

#include <string>

#include "framework/ResourceLanguage.h"
#include "framework/Strings.h"
#include "ui/WelcomeBalloon.h"

namespace {

TEST(WelcomeBalloonTest, NamesTheKeysInTheFormsOrderAndOnlyThoseInUse) {
  AfxSetResourceLanguage(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  const CHotKeyCombination everyModifier{MOD_WIN | MOD_SHIFT | MOD_CONTROL | MOD_ALT, VK_F12};
  EXPECT_STREQ(HotKeyText(everyModifier), "Alt+Ctrl+Shift+Win+F12");

  const CHotKeyCombination switchKey{MOD_CONTROL, VK_F1}, moveKey{MOD_CONTROL | MOD_SHIFT, VK_F1};
  const std::string both = WelcomeText(&switchKey, &moveKey).GetString();
  EXPECT_NE(both.find("Press Ctrl+F1 to switch desktops and Ctrl+Shift+F1 to move"), std::string::npos) << both;
  const std::string switchOnly = WelcomeText(&switchKey, nullptr).GetString();
  EXPECT_NE(switchOnly.find("Press Ctrl+F1 to switch desktops;"), std::string::npos) << switchOnly;
  EXPECT_EQ(switchOnly.find("Shift"), std::string::npos);
  const std::string noKey = WelcomeText(nullptr, nullptr).GetString();
  EXPECT_EQ(noKey.find("Press"), std::string::npos) << noKey;
  EXPECT_NE(noKey.find("click on this icon"), std::string::npos) << noKey;
  AfxSetResourceLanguage(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
}

TEST(WelcomeBalloonTest, TwoBlanksAreFilledWhereTheFormatHasThemWhateverTheArgumentsHold) {
  EXPECT_STREQ(FormatText("a %1 b %2 c", "%2", "x"), "a %2 b x c");
  EXPECT_STREQ(FormatText("%2 then %1", "one", "two"), "two then one");
  EXPECT_STREQ(FormatText("only %1", "one", "two"), "only one");
}

}  // namespace
