// The message of a save that failed, from the program's string table.
#include <gtest/gtest.h>

#include "ui/SettingsNotSaved.h"

namespace {

TEST(SettingsNotSavedTest, TheMessageNamesTheFileWhateverItsScript) {
  const CStringW file = L"C:\\설정\\Panorel.ini";
  const CStringW expected = L"不能写入设置文件“C:\\설정\\Panorel.ini”，设置没有保存。";
  EXPECT_STREQ(SettingsNotSavedText(file), expected);
}

}  // namespace
