// The open-file dialog's filter, from "|"-separated text to the platform's
// NUL-separated list.
#include <gtest/gtest.h>

#include <string>

#include "framework/FileDialog.h"

namespace {

// A literal with the NULs inside it.
template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

TEST(FileDialogFilterTest, BarsBecomeFieldEndsAndTheListEndsWithAnEmptyField) {
  const std::string converted = FileDialogFilter("Icons|*.ico|All Files|*.*||");
  EXPECT_EQ(converted, Bytes("Icons\0*.ico\0All Files\0*.*\0\0\0\0"));

  // Blanks around the bars belong to the fields.
  EXPECT_EQ(FileDialogFilter("Icon FiIes | *.ico|"), Bytes("Icon FiIes \0 *.ico\0\0\0"));
  EXPECT_EQ(FileDialogFilter("Text|*.txt"), Bytes("Text\0*.txt\0\0")) << "ended even without bars";
  EXPECT_EQ(FileDialogFilter(nullptr), "");
}

TEST(FileDialogFilterTest, ABarThatIsTheTrailByteOfADoubleByteCharacterStays) {
  // "膢" is 0xC4 0x7C in code page 936: its second byte is a "|".
  const std::string converted = FileDialogFilter("膢|*.a||");
  EXPECT_EQ(converted, Bytes("\xC4|\0*.a\0\0\0\0"));
}

}  // namespace
