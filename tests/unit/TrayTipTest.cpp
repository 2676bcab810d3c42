// The tooltip cut: 63 bytes at most, never half a double-byte character.
#include <gtest/gtest.h>

#include <string>

#include "ui/TrayIcon.h"

namespace {

TEST(TrayTipTest, ATipThatFitsIsUnchanged) {
  EXPECT_EQ(FitTrayTip(""), "");
  EXPECT_EQ(FitTrayTip("Panorel - www.panorel.example"), "Panorel - www.panorel.example");
  const std::string exactly63(63, 'x');
  EXPECT_EQ(std::string(FitTrayTip(exactly63.c_str())), exactly63);
  EXPECT_EQ(FitTrayTip("双桌面切换"), "双桌面切换");
}

TEST(TrayTipTest, ALongTipKeepsItsFirst63Bytes) {
  const std::string hundred = std::string(60, 'a') + std::string(40, 'b');
  EXPECT_EQ(std::string(FitTrayTip(hundred.c_str())), hundred.substr(0, 63));
}

TEST(TrayTipTest, ACutInsideADoubleByteCharacterStopsBeforeIt) {
  // 31 Chinese characters are 62 bytes; the 32nd would end at byte 64.
  std::string chinese;
  for (int i = 0; i < 40; ++i) chinese += "桌";
  const CString cut = FitTrayTip(chinese.c_str());
  EXPECT_EQ(cut.GetLength(), 62);
  EXPECT_EQ(std::string(cut), chinese.substr(0, 62));

  // One ASCII byte first shifts the characters: then 63 bytes fit whole.
  const CString shifted = FitTrayTip(("x" + chinese).c_str());
  EXPECT_EQ(shifted.GetLength(), 63);
  EXPECT_EQ(std::string(shifted), ("x" + chinese).substr(0, 63));
}

}  // namespace
