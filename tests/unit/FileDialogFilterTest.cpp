// The open-file dialog's filter, from "|"-separated text to the platform's
// NUL-separated list of wide fields.
#include <gtest/gtest.h>

#include <string>

#include "framework/FileDialog.h"

namespace {

// A literal with the NULs inside it.
template <size_t N>
std::wstring Fields(const wchar_t (&text)[N]) {
  return std::wstring(text, N - 1);
}

TEST(FileDialogFilterTest, BarsBecomeFieldEndsAndTheListEndsWithAnEmptyField) {
  const std::wstring converted = FileDialogFilter("Icons|*.ico|All Files|*.*||");
  EXPECT_EQ(converted, Fields(L"Icons\0*.ico\0All Files\0*.*\0\0\0\0"));

  // Blanks around the bars belong to the fields.
  EXPECT_EQ(FileDialogFilter("Icon FiIes | *.ico|"), Fields(L"Icon FiIes \0 *.ico\0\0\0"));
  EXPECT_EQ(FileDialogFilter("Text|*.txt"), Fields(L"Text\0*.txt\0\0")) << "ended even without bars";
  EXPECT_EQ(FileDialogFilter(nullptr), L"");
}

TEST(FileDialogFilterTest, ABarThatIsTheTrailByteOfADoubleByteCharacterStays) {
  // "膢" is 0xC4 0x7C in code page 936: its second byte is a "|".
  const std::wstring converted = FileDialogFilter("膢|*.a||");
  EXPECT_EQ(converted, Fields(L"\u81A2\0*.a\0\0\0\0"));
}

}  // namespace
