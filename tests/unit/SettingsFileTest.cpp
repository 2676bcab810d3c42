// The settings file byte for byte: code page 936 files and UTF-16 files keep
// what a write does not change, folders of any script and any length hold
// settings, a file that cannot be written says so, and where the file is
// chosen to live.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/WideString.h"
#include "settings/IniFile.h"
#include "settings/SettingsFileCache.h"
#include "settings/SettingsLocation.h"
#include "settings/SettingsStore.h"
#include "tests/automation/Panorel.h"

namespace {

// The automation's whole-file helpers, for the wide paths of these tests.
std::string FileBytes(const CStringW& path) { return automation::FileBytes(path.GetString()); }
void PutBytes(const CStringW& path, const std::string& bytes) {
  ASSERT_TRUE(automation::WriteFileBytes(path.GetString(), bytes));
}

std::string Utf16Bytes(const std::wstring& text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

bool Exists(const CStringW& path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

class SettingsFileTest : public ::testing::Test {
 protected:
  CStringW Path(const char* name) const { return TextToWide(m_folder.File(name).c_str()); }

  automation::ScratchFolder m_folder;
  CStringW m_ini = Path("Panorel.ini");
};

TEST_F(SettingsFileTest, CodePage936BytesComeBackAsTheyAreAndWritesChangeNothingElse) {
  // As users and earlier versions leave files: a comment, line feeds alone,
  // white space, a blank line, a line that is no key, names in another
  // case. The second byte of "乚" is "]".
  const std::string before =
      "; 帕诺瑞尔\n"
      "[Setup]\n"
      "  IconTitle = 托盘乚图标  \n"
      "hotkey=113\n"
      "\n"
      "not a key\n"
      "[张三乚.DESKPC]\n"
      "Allow=Y";
  PutBytes(m_ini, before);
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "IconTitle", "x"), "托盘乚图标");
  EXPECT_EQ(ReadSetting(m_ini, "张三乚.deskpc", "ALLOW", "N"), "Y");

  ASSERT_TRUE(WriteSetting(m_ini, "SETUP", "HotKey", "116"));
  ASSERT_TRUE(WriteSetting(m_ini, "Setup", "UseIcon", "中文"));
  ASSERT_TRUE(WriteSetting(m_ini, "张三乚.DESKPC", "Seen", "N"));
  ASSERT_TRUE(WriteSetting(m_ini, "Extras", "Pinned", "a.exe"));
  EXPECT_EQ(FileBytes(m_ini),
            "; 帕诺瑞尔\n"
            "[Setup]\n"
            "  IconTitle = 托盘乚图标  \n"
            "hotkey=116\n"
            "UseIcon=中文\n"
            "\n"
            "not a key\n"
            "[张三乚.DESKPC]\n"
            "Allow=Y\n"
            "Seen=N\n"
            "[Extras]\n"
            "Pinned=a.exe\n");
}

TEST_F(SettingsFileTest, QuotesGoAndTheFirstSectionAndKeyWin) {
  PutBytes(m_ini,
           "[Setup]\r\nIcon=\"C:\\a b\\x.exe,1\"\r\nIcon=second\r\nIconTitle='abc\"\r\n"
           "[setup]\r\nHotKey=999\r\n");
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "Icon", "x"), "C:\\a b\\x.exe,1");
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "IconTitle", "x"), "'abc\"") << "quotes that do not match stay";
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "HotKey", "112"), "112") << "a second section is not read";
  EXPECT_NE(FileBytes(m_ini).find("IconTitle='abc\"\r\nHotKey=112\r\n[setup]"), std::string::npos)
      << "the default went to the first section";
}

TEST_F(SettingsFileTest, AUtf16FileStaysUtf16) {
  // "설정" is outside code page 936: the file must never pass through it.
  PutBytes(m_ini, Utf16Bytes(L"\xFEFF[Setup]\r\nIconTitle=托盘图标\r\n; 설정\r\n"));
  const std::string after = Utf16Bytes(L"\xFEFF[Setup]\r\nIconTitle=新的提示\r\nHotKey=116\r\n; 설정\r\n");
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "IconTitle", "x"), "托盘图标");

  ASSERT_TRUE(WriteSetting(m_ini, "Setup", "HotKey", "116"));
  ASSERT_TRUE(WriteSetting(m_ini, "Setup", "IconTitle", "新的提示"));
  EXPECT_EQ(FileBytes(m_ini), after);
}

TEST_F(SettingsFileTest, FoldersInAnyScriptAndBeyondMaxPathHoldSettings) {
  CStringW folder = Path("") + L"설정";
  ASSERT_TRUE(CreateDirectoryW(folder, nullptr));
  CStringW deep = folder;
  while (deep.GetLength() < MAX_PATH + 20) {
    deep += L"\\a-folder-name-of-forty-characters-long-";
    ASSERT_TRUE(CreateDirectoryW(CStringW(L"\\\\?\\") + deep, nullptr));
  }
  for (const CStringW& place : {folder, deep}) {
    const CStringW file = place + L"\\Panorel.ini";
    ASSERT_TRUE(WriteSetting(file, "Setup", "IconTitle", "提示"));
    EXPECT_EQ(ReadSetting(file, "Setup", "IconTitle", "x"), "提示");
    EXPECT_TRUE(Exists(CStringW(L"\\\\?\\") + file));
  }

  // What the scratch folder's own clean-up, which names files in the
  // system's code page, cannot reach.
  for (const CStringW& place : {deep, folder}) DeleteFileW(CStringW(L"\\\\?\\") + place + L"\\Panorel.ini");
  while (deep.GetLength() > folder.GetLength()) {
    RemoveDirectoryW(CStringW(L"\\\\?\\") + deep);
    deep = deep.Left(deep.ReverseFind(L'\\'));
  }
  EXPECT_TRUE(RemoveDirectoryW(folder));
}

TEST_F(SettingsFileTest, AFileThatCannotBeWrittenIsLeftAsItWasAndTheWriteSaysSo) {
  const std::string before = "[Setup]\r\nHotKey=112\r\n";
  PutBytes(m_ini, before);
  ASSERT_TRUE(SetFileAttributesW(m_ini, FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteSetting(m_ini, "Setup", "HotKey", "116"));
  EXPECT_FALSE(WriteSetting(m_ini, "Setup", "UseIcon", "N"));
  EXPECT_EQ(FileBytes(m_ini), before);
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "HotKey", "113"), "112") << "and it is still read";

  const CStringW directory = Path("Folder.ini");
  ASSERT_TRUE(CreateDirectoryW(directory, nullptr));
  EXPECT_FALSE(WriteSetting(directory, "Setup", "HotKey", "116"));
  EXPECT_EQ(ReadSetting(directory, "Setup", "HotKey", "113"), "113");

  EXPECT_FALSE(WriteSetting(Path("missing\\Panorel.ini"), "Setup", "HotKey", "116"));
  EXPECT_FALSE(Exists(Path("missing")));
}

TEST_F(SettingsFileTest, TheFileLivesBesideTheProgramUnlessItCannot) {
  const CStringW userFolder = Path("user");
  const CStringW beside = Path("Panorel.ini");

  EXPECT_STREQ(ChooseSettingsFile(beside, userFolder), beside) << "created beside the program";
  EXPECT_TRUE(Exists(beside));
  EXPECT_FALSE(Exists(userFolder));

  // A readable file beside the program is used even when read-only, and
  // even with one in the user's folder.
  ASSERT_TRUE(CreateDirectoryW(userFolder, nullptr));
  PutBytes(userFolder + L"\\Panorel.ini", "");
  ASSERT_TRUE(SetFileAttributesW(beside, FILE_ATTRIBUTE_READONLY));
  EXPECT_STREQ(ChooseSettingsFile(beside, userFolder), beside);

  // Once in the user's folder, always there: none is created beside.
  const CStringW other = Path("Other.ini");
  PutBytes(userFolder + L"\\Other.ini", "");
  EXPECT_STREQ(ChooseSettingsFile(other, userFolder), userFolder + L"\\Other.ini");
  EXPECT_FALSE(Exists(other));

  // A folder in the way: the user's folder, made for it.
  const CStringW blocked = Path("Blocked.ini");
  ASSERT_TRUE(CreateDirectoryW(blocked, nullptr));
  const CStringW freshFolder = Path("fresh");
  EXPECT_STREQ(ChooseSettingsFile(blocked, freshFolder), freshFolder + L"\\Blocked.ini");
  const DWORD made = GetFileAttributesW(freshFolder);
  EXPECT_TRUE(made != INVALID_FILE_ATTRIBUTES && (made & FILE_ATTRIBUTE_DIRECTORY));

  EXPECT_STREQ(ChooseSettingsFile(L"", userFolder), L"") << "no settings path, no settings";
}

// Sets the file's last-write time, as a file changed by hand in the same
// instant would keep it.
void SetLastWrite(const CStringW& path, const FILETIME& time) {
  HANDLE file = CreateFileW(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);
}

FILETIME LastWrite(const CStringW& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExW(path, GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

TEST_F(SettingsFileTest, AnUnchangedFileIsNotReadAgainAndAChangedOneIs) {
  PutBytes(m_ini, "[Setup]\r\nHideElseIcon=Y\r\n");
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "HideElseIcon", "N"), "Y");
  const FILETIME written = LastWrite(m_ini);

  // The same size and last-write time: what was read stands, so the file
  // was not read again.
  PutBytes(m_ini, "[Setup]\r\nHideElseIcon=N\r\n");
  SetLastWrite(m_ini, written);
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "HideElseIcon", "N"), "Y");

  // Another last-write time, or another size: read again.
  FILETIME later = written;
  later.dwLowDateTime += 10000000;
  if (later.dwLowDateTime < written.dwLowDateTime) ++later.dwHighDateTime;
  SetLastWrite(m_ini, later);
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "HideElseIcon", "Y"), "N");
  PutBytes(m_ini, "[Setup]\r\nHideElseIcon=YES\r\n");
  SetLastWrite(m_ini, later);
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "HideElseIcon", "N"), "YES");

  // The program's own write is read back at once.
  ASSERT_TRUE(WriteSetting(m_ini, "Setup", "HideElseIcon", "Y"));
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "HideElseIcon", "N"), "Y");
}

TEST_F(SettingsFileTest, AUtf16FileWithoutItsMarkIsRecognisedAndStaysSo) {
  const std::wstring before = L"[Setup]\r\nIconTitle=托盘\r\n";
  PutBytes(m_ini, Utf16Bytes(before));
  EXPECT_EQ(ReadSetting(m_ini, "Setup", "IconTitle", "x"), "托盘");
  ASSERT_TRUE(WriteSetting(m_ini, "Setup", "HotKey", "113"));
  EXPECT_EQ(FileBytes(m_ini), Utf16Bytes(before + L"HotKey=113\r\n")) << "UTF-16 still, and no mark added";

  // Code page 936 text never holds a NUL byte; Chinese text in UTF-16 may
  // hold few of them.
  EXPECT_FALSE(LooksLikeUtf16WithoutMark("[Setup]\r\nIconTitle=托盘\r\n"));
  EXPECT_TRUE(LooksLikeUtf16WithoutMark(Utf16Bytes(L"[甲]\r\n乙=丙\r\n")));
  EXPECT_FALSE(LooksLikeUtf16WithoutMark(std::string("\0a\0b", 4))) << "NULs at even offsets: not ours";
}

TEST_F(SettingsFileTest, AFileTooLargeToReadIsPassedOverAndNamedOnce) {
  const CStringW beside = Path("Big.ini");
  const CStringW userFolder = Path("user");
  std::string huge = "[Setup]\r\nHideElseIcon=Y\r\n";
  huge.resize(kLargestSettingsFile + 1, ';');
  PutBytes(beside, huge);
  EXPECT_EQ(ReadSetting(beside, "Setup", "HideElseIcon", "N"), "N") << "not read at all";

  CStringW tooLarge;
  const CStringW chosen = ChooseSettingsFile(beside, userFolder, &tooLarge);
  EXPECT_STREQ(chosen, userFolder + L"\\Big.ini");
  EXPECT_STREQ(tooLarge, beside);
  ASSERT_TRUE(WriteSetting(chosen, "Setup", "HideElseIcon", "Y"));
  EXPECT_EQ(FileBytes(beside).size(), huge.size()) << "left as it was";

  CStringW again;
  EXPECT_STREQ(ChooseSettingsFile(beside, userFolder, &again), chosen) << "the next start keeps the user's file";
  EXPECT_STREQ(again, L"") << "and says nothing more";
}

}  // namespace
