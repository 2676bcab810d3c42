// The settings store against real INI files, written and read back by the
// platform's private-profile calls as well: the files stay what they read.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <string>

#include "framework/FileAccess.h"
#include "settings/SettingsStore.h"
#include "tests/automation/Panorel.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  std::string Raw(const char* section, const char* key) {
    char value[4096] = "";
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, m_ini.c_str());
    return value;
  }
  void Put(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, m_ini.c_str());
  }
  std::string FileText() {
    std::ifstream file(m_ini, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  automation::ScratchFolder m_folder;
  std::string m_ini = m_folder.File("TOOL.ini");
  CStringW m_file = TextToWide(m_ini.c_str());
};

TEST_F(SettingsStoreTest, MissingFileKeyOrValueIsReplacedByTheDefaultAndWrittenBack) {
  EXPECT_EQ(ReadSetting(m_file, "Setup", "HotKey", "112"), "112");
  EXPECT_EQ(Raw("Setup", "HotKey"), "112") << "the first read creates file, section and key";

  Put("Setup", "UseIcon", "");
  EXPECT_EQ(ReadSetting(m_file, "Setup", "UseIcon", "Y"), "Y");
  EXPECT_EQ(Raw("Setup", "UseIcon"), "Y");

  EXPECT_EQ(ReadSetting(m_file, "alice.DESKPC", "Allow", "N"), "N");
  EXPECT_EQ(Raw("alice.DESKPC", "Allow"), "N");
}

TEST_F(SettingsStoreTest, BlanksOnlyValueIsRewrittenWithTheDefault) {
  std::ofstream(m_ini) << "[Setup]\r\nHideElseIcon=   \t\r\n";
  EXPECT_EQ(ReadSetting(m_file, "Setup", "HideElseIcon", "N"), "N");
  EXPECT_EQ(Raw("Setup", "HideElseIcon"), "N");
}

TEST_F(SettingsStoreTest, PresentValuesAreReturnedUnchangedAndNeverRewritten) {
  Put("Setup", "UseHotKey", "y");
  Put("Setup", "HotKey", "F5");
  EXPECT_EQ(ReadSetting(m_file, "Setup", "UseHotKey", "Y"), "y");
  EXPECT_FALSE(IsYes(ReadSetting(m_file, "Setup", "UseHotKey", "Y")));
  EXPECT_EQ(ReadSetting(m_file, "Setup", "HotKey", "112"), "F5");
  EXPECT_EQ(TextToInt("F5"), 0);
  EXPECT_EQ(Raw("Setup", "UseHotKey"), "y");
  EXPECT_EQ(Raw("Setup", "HotKey"), "F5");
}

TEST_F(SettingsStoreTest, TrailingWhiteSpaceIsTrimmedWithoutHarmingDoubleByteText) {
  // "托盘图标" followed by blanks and a tab; every byte of the characters stays.
  std::ofstream(m_ini) << "[Setup]\r\nIconTitle=托盘 图标 \t \r\n";
  EXPECT_EQ(ReadSetting(m_file, "Setup", "IconTitle", "x"), "托盘 图标");
  EXPECT_EQ(Raw("Setup", "IconTitle"), "托盘 图标") << "a present value is not written back";
}

TEST_F(SettingsStoreTest, ValuesAreCutAt1023Bytes) {
  const std::string longValue(1500, 'v');
  Put("Setup", "IconTitle", longValue.c_str());
  const CString read = ReadSetting(m_file, "Setup", "IconTitle", "d");
  EXPECT_EQ(read.GetLength(), 1023);
  EXPECT_EQ(std::string(read), longValue.substr(0, 1023));
}

TEST_F(SettingsStoreTest, WriteReplacesOneKeyAndKeepsTheOthers) {
  Put("Setup", "A", "1");
  Put("Setup", "B", "2");
  EXPECT_TRUE(WriteSetting(m_file, "Setup", "A", "中文"));
  EXPECT_EQ(Raw("Setup", "A"), "中文");
  EXPECT_EQ(Raw("Setup", "B"), "2");
}

TEST_F(SettingsStoreTest, AnEmptyPathYieldsDefaultsAndWritesNowhere) {
  EXPECT_EQ(ReadSetting(L"", "Setup", "UseIcon", "Y"), "Y");
  EXPECT_FALSE(WriteSetting(L"", "Setup", "UseIcon", "N"));
  char windowsIni[MAX_PATH] = "";
  GetWindowsDirectoryA(windowsIni, sizeof windowsIni);
  lstrcatA(windowsIni, "\\win.ini");
  char value[16] = "";
  GetPrivateProfileStringA("Setup", "UseIcon", "<missing>", value, sizeof value, windowsIni);
  EXPECT_STREQ(value, "<missing>");
}

TEST(SettingsPathTest, ExeOfAnyCaseBecomesLowerCaseIniAndAnythingElseIsEmpty) {
  EXPECT_STREQ(IniPathFor(L"C:\\Tools\\TOOL.EXE"), L"C:\\Tools\\TOOL.ini");
  EXPECT_STREQ(IniPathFor(L"C:\\Tools\\tool.Exe"), L"C:\\Tools\\tool.ini");
  EXPECT_STREQ(IniPathFor(L"C:\\a,b\\Panorel.exe"), L"C:\\a,b\\Panorel.ini");
  EXPECT_STREQ(IniPathFor(L"C:\\Tools\\TOOL.BIN"), L"");
  EXPECT_STREQ(IniPathFor(L"C:\\Tools\\TOOLexe"), L"");
  EXPECT_STREQ(IniPathFor(L"exe"), L"");
  EXPECT_STREQ(IniPathFor(L""), L"");
}

TEST(SettingsPathTest, ModulePathIsThisProgramsFullPath) {
  wchar_t expected[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, expected, MAX_PATH);
  EXPECT_STREQ(GetModulePath(), expected);
  EXPECT_STREQ(MakeIniPath(), IniPathFor(expected));
}

TEST(SettingsNumbersTest, DecimalTextBothWays) {
  EXPECT_EQ(IntToText(0), "0");
  EXPECT_EQ(IntToText(116), "116");
  EXPECT_EQ(IntToText(-42), "-42");
  EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
  EXPECT_EQ(IntToText(INT_MAX), "2147483647");

  EXPECT_EQ(TextToInt("123"), 123);
  EXPECT_EQ(TextToInt("  \t-12abc"), -12);
  EXPECT_EQ(TextToInt("+7"), 7);
  EXPECT_EQ(TextToInt("abc"), 0);
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("3 4"), 3);
}

TEST(SettingsNamesTest, UserAndComputerNamesMatchThePlatform) {
  char user[256] = "";
  char computer[256] = "";
  DWORD size = sizeof user;
  GetUserNameA(user, &size);
  size = sizeof computer;
  GetComputerNameA(computer, &size);
  EXPECT_EQ(GetUserNameText(), user);
  EXPECT_EQ(GetComputerNameText(), computer);
  EXPECT_FALSE(GetUserNameText().IsEmpty());
}

TEST(IconSettingTest, SplitsAtTheLastCommaSoFoldersWithCommasRoundTrip) {
  const CStringW file = L"C:\\a,b\\图标.exe";
  EXPECT_EQ(JoinIconSetting(file, 3), "C:\\a,b\\图标.exe,3") << "code page 936 bytes in the file";
  const CIconSource source = SplitIconSetting(JoinIconSetting(file, 3));
  EXPECT_STREQ(source.file, file);
  EXPECT_EQ(source.index, 3);

  const CIconSource negative = SplitIconSetting(JoinIconSetting(L"C:\\p,q,r\\y.dll", -2));
  EXPECT_STREQ(negative.file, L"C:\\p,q,r\\y.dll");
  const CStringW outsideCodePage = L"C:\\설정\\x.exe";
  EXPECT_EQ(JoinIconSetting(outsideCodePage, 0), "C:\\??\\x.exe,0") << "what code page 936 cannot hold";
  EXPECT_EQ(negative.index, -2);
}

TEST(IconSettingTest, AnIconFileInAFolderCodePage936CannotNameIsSavedByAPathThatStillFindsIt) {
  automation::ScratchFolder scratch;
  const CStringW folder = TextToWide(scratch.File("").c_str()) + L"설정";
  const CStringW file = folder + L"\\x.ico";
  ASSERT_TRUE(CreateDirectoryW(folder, nullptr));
  HANDLE created = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);

  const CIconSource saved = SplitIconSetting(JoinIconSetting(file, 2));
  wchar_t longPath[MAX_PATH] = L"";
  EXPECT_NE(GetLongPathNameW(saved.file, longPath, MAX_PATH), 0u) << "the saved path names a file";
  EXPECT_EQ(lstrcmpiW(longPath, file), 0) << "and it is the file chosen";
  EXPECT_EQ(saved.index, 2);

  DeleteFileW(file);
  RemoveDirectoryW(folder);
}

TEST(IconSettingTest, ValuesWithoutACommaInThePathReadAsBefore) {
  const CIconSource plain = SplitIconSetting("C:\\Tools\\Panorel.exe,0");
  EXPECT_STREQ(plain.file, L"C:\\Tools\\Panorel.exe");
  EXPECT_EQ(plain.index, 0);

  const CIconSource noComma = SplitIconSetting("C:\\icons\\a.ico");
  EXPECT_STREQ(noComma.file, L"C:\\icons\\a.ico");
  EXPECT_EQ(noComma.index, 0);

  const CIconSource leadingComma = SplitIconSetting(",5");
  EXPECT_STREQ(leadingComma.file, L",5");
  EXPECT_EQ(leadingComma.index, 0);

  const CIconSource junkIndex = SplitIconSetting("C:\\x.dll,abc");
  EXPECT_STREQ(junkIndex.file, L"C:\\x.dll");
  EXPECT_EQ(junkIndex.index, 0);
}

}  // namespace
