// The counted string's searches and trim in code page 936, where the second
// byte of a character can look like an ASCII character.
#include <gtest/gtest.h>

#include "framework/String.h"

namespace {

const char kCharWithBackslashTrail[] = "\xD5\x5C";  // a GBK character whose trail byte is '\'
const char kCharWithAtTrail[] = "\xB0\x40";         // trail byte '@'

TEST(StringTest, CodePageIs936) { ASSERT_EQ(GetACP(), 936u); }

TEST(StringTest, FindNeverMatchesATrailByte) {
  const CString text = CString(kCharWithBackslashTrail) + "\\x";
  EXPECT_EQ(text.Find('\\'), 2);
  EXPECT_EQ(text.ReverseFind('\\'), 2);
  EXPECT_EQ(CString(kCharWithAtTrail).Find('@'), -1);
  EXPECT_EQ(CString(kCharWithAtTrail).Find("@"), -1);
  EXPECT_EQ((CString(kCharWithAtTrail) + "a@b").Find("@b"), 3);
}

TEST(StringTest, FindFromAStartPosition) {
  const CString text = "a/b/c";
  EXPECT_EQ(text.Find('/'), 1);
  EXPECT_EQ(text.Find('/', 2), 3);
  EXPECT_EQ(text.Find('/', 4), -1);
  EXPECT_EQ(text.Find("\r\n"), -1);
  EXPECT_EQ(CString("Sub\r\n3").Find("\r\n"), 3);
}

TEST(StringTest, TrimRightKeepsDoubleByteCharacters) {
  CString text = CString("ab") + kCharWithAtTrail + " \t\r\n";
  text.TrimRight();
  EXPECT_EQ(text, CString("ab") + kCharWithAtTrail);

  CString blanks = "   ";
  blanks.TrimRight();
  EXPECT_TRUE(blanks.IsEmpty());
}

TEST(StringTest, PiecesAndConcatenation) {
  const CString text = "Panorel.exe";
  EXPECT_EQ(text.Left(7), "Panorel");
  EXPECT_EQ(text.Right(4), ".exe");
  EXPECT_EQ(text.Mid(8), "exe");
  EXPECT_EQ(text.Mid(3, 2), "or");
  EXPECT_EQ(text.Mid(20), "");
  EXPECT_EQ(text.Left(-1), "");
  EXPECT_EQ(text.Right(50), text);
  EXPECT_EQ(CString("a") + "b" + CString("c") + 'd', "abcd");
  EXPECT_EQ(text.Right(4).CompareNoCase(".EXE"), 0);
}

}  // namespace
