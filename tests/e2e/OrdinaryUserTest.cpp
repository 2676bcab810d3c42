// The program run by a user who cannot write everywhere, as most users
// cannot write where programs are installed: the settings move to the
// user's own folder, and a save that fails says so. The run puts the program
// in a folder this user cannot write (scripts/as-user.sh); each case first
// checks that the files really refuse this user.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "framework/WideString.h"
#include "res/SwitcherDlgIds.h"
#include "tests/automation/FirstStarts.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/SettingsForm.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool CanCreateFileIn(const std::wstring& folder) {
  HANDLE probe = CreateFileW((folder + L"\\write-probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}

bool CanWrite(const std::wstring& file) {
  HANDLE opened = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  CloseHandle(opened);
  return true;
}

// The user's own folder for the program's settings, removed with whatever
// the case left in it: a settings file there would be read by every later
// start in this prefix.
class UserSettingsFolder {
 public:
  UserSettingsFolder() {
    wchar_t appData[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    m_path = std::wstring(appData) + L"\\Panorel";
  }
  ~UserSettingsFolder() { RemoveTree(m_path); }
  UserSettingsFolder(const UserSettingsFolder&) = delete;
  UserSettingsFolder& operator=(const UserSettingsFolder&) = delete;
  std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }

 private:
  std::wstring m_path;
};

TEST(UnwritableProgramFolderTest, TheAgreementIsAskedOnceAndASettingSticksInTheUsersOwnFolder) {
  PanorelInstance panorel(AsInstalled{TextToWide(BuiltProgram("PANOREL_EXE").c_str()).GetString()});
  ASSERT_TRUE(Exists(panorel.ExePathW()));
  ASSERT_FALSE(CanCreateFileIn(panorel.ProgramFolderW())) << "the run must not let this user write the program's folder";
  const UserSettingsFolder userFolder;
  const std::wstring userIni = userFolder.File(L"Panorel.ini");
  ASSERT_FALSE(Exists(userIni)) << "no settings yet";

  const TwoStarts seen = StartTwiceChoosingAKey(panorel);
  EXPECT_EQ(seen.agreementsAsked, 1) << "the agreement is asked once";
  EXPECT_EQ(seen.keyAtSecondStart, kKeyChosenAtFirstStart) << "the key chosen survives a restart";
  const std::string ini = FileBytes(userIni);
  EXPECT_NE(ini.find("Allow=Y\r\n"), std::string::npos) << "the settings are the user's own: " << ini;
  EXPECT_NE(ini.find("HotKey=116\r\n"), std::string::npos);
  EXPECT_FALSE(Exists(panorel.IniPathW()));
}

TEST(ReadOnlySettingsFileTest, ApplyNamesTheFileItCouldNotWriteAndStillPutsTheNewHotKeyInEffect) {
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  ASSERT_TRUE(SetFileAttributesW(panorel.IniPathW().c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_FALSE(CanWrite(panorel.IniPathW())) << "the run's user must not be able to write a read-only file";
  const std::string before = panorel.IniText();

  Process& process = panorel.Start();
  HWND dialog = WaitForStartedDialog(process);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(ShowBySecondStart(panorel, dialog));
  ChooseKey(dialog, 5);
  Click(dialog, IDC_BUTTON_OK);

  HWND box = WaitForMessageBox(process.Id());
  EXPECT_EQ(MessageBoxText(box), "不能写入设置文件“" + panorel.IniPath() + "”，设置没有保存。");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); })) << "the form goes as after any apply";
  EXPECT_TRUE(IsHotKeyTaken(MOD_CONTROL, VK_F5)) << "the new hotkey is in effect";
  EXPECT_FALSE(IsHotKeyTaken(MOD_CONTROL, VK_F1)) << "and the old one let go";
  EXPECT_EQ(panorel.IniText(), before);
  EXPECT_TRUE(panorel.Exit());
}

}  // namespace
