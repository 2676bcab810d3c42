// The installer and its uninstaller run for real, silently, in this prefix's
// user profile: what they leave behind, and what they do to a Panorel that is
// running with windows hidden.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "res/Product.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Windows.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"

using namespace automation;

namespace {

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Panorel";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kMissing[] = "<missing>";

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// Where installing for oneself puts the program, and its Start-menu entry.
const std::string kFolder = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Panorel";
const std::string kExe = kFolder + "\\Panorel.exe";
const std::string kIni = kFolder + "\\Panorel.ini";
const std::string kShortcut = ShellFolder(CSIDL_PROGRAMS) + "\\Panorel.lnk";

// A value under HKEY_CURRENT_USER as text; kMissing when there is none.
std::string UserValue(const char* key, const char* name) {
  char data[1024] = "";
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  if (SHGetValueA(HKEY_CURRENT_USER, key, name, &type, data, &size) != ERROR_SUCCESS) return kMissing;
  return type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data)) : std::string(data);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

// The uninstaller runs from a copy of itself in the temporary folder, so that
// it can remove the original; this is that copy's name.
bool UninstallerCopyRuns() {
  CKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
    if (lstrcmpiA(entry.szExeFile, "Un.exe") == 0) return true;
  }
  return false;
}

// Runs the built installer with these arguments; its exit code.
DWORD RunSetup(const std::string& arguments) {
  Process setup("\"" + BuiltProgram("PANOREL_SETUP") + "\" " + arguments);
  if (!setup.WaitForExit(120000)) return STILL_ACTIVE;
  return setup.ExitCode();
}

// Starts the installed Panorel as signing in does, from its Run value, and
// switches once: desktop 2 hides the windows open until then.
Process StartAtSignInAndSwitch() {
  Process panorel(UserValue(kRunKey, "Panorel"), kFolder);
  if (HWND dialog = WaitForStartedDialog(panorel)) SwitchOnce(dialog);
  return panorel;
}


FILETIME WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

bool Uninstalled() { return UserValue(kUninstallKey, "DisplayName") == kMissing && !UninstallerCopyRuns(); }

TEST(InstallerTest, InstallUpgradeOverARunningCopyAndUninstallLeaveNoWindowHidden) {
  ASSERT_TRUE(Exists(BuiltProgram("PANOREL_SETUP"))) << "the build makes the installer when makensis is installed";
  ASSERT_EQ(UserValue(kUninstallKey, "DisplayName"), kMissing) << "an earlier run left Panorel installed";
  const std::string built = Contents(BuiltProgram("PANOREL_EXE"));
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());

  ASSERT_EQ(RunSetup("/S"), 0u);
  EXPECT_EQ(Contents(kExe), built);
  EXPECT_TRUE(Exists(kFolder + "\\Panorel-Help-en.html") && Exists(kFolder + "\\Panorel-Help-zh.html"));
  EXPECT_TRUE(Exists(kShortcut));
  EXPECT_EQ(UserValue(kRunKey, "Panorel"), "\"" + kExe + "\"");
  EXPECT_EQ(UserValue(kUninstallKey, "DisplayName"), "Panorel");
  EXPECT_EQ(UserValue(kUninstallKey, "DisplayVersion"), PANOREL_VERSION_TEXT);
  EXPECT_EQ(UserValue(kUninstallKey, "Publisher"), "Panorel");
  EXPECT_EQ(UserValue(kUninstallKey, "DisplayIcon"), kExe + ",0");
  EXPECT_GE(std::stoul(UserValue(kUninstallKey, "EstimatedSize")), built.size() / 1024);
  const std::string quietUninstall = UserValue(kUninstallKey, "QuietUninstallString");
  EXPECT_EQ(quietUninstall, "\"" + kFolder + "\\uninst.exe\" /S");

  // The installed copy starts and switches.
  WritePrivateProfileStringA(AgreementSection().c_str(), "Allow", "Y", kIni.c_str());
  // Backdated, so that the upgrade shows whether it replaced the file.
  const FILETIME longAgo = {0, 0x01000000};
  {
    CKernelHandle exe(CreateFileA(kExe.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    SetFileTime(exe.Get(), nullptr, nullptr, &longAgo);
  }
  {
    const std::vector<HWND> windows = farm.OpenMany(2);
    Process panorel = StartAtSignInAndSwitch();
    ASSERT_TRUE(AllVisible(windows, false));

    // Installing again asks it to exit the clean way before replacing it.
    EXPECT_EQ(RunSetup("/S"), 0u);
    EXPECT_FALSE(panorel.IsRunning());
    EXPECT_TRUE(AllVisible(windows, true));
    const FILETIME written = WriteTime(kExe);
    EXPECT_NE(CompareFileTime(&longAgo, &written), 0) << "the upgrade left the old file";
    EXPECT_EQ(Contents(kExe), built);
  }

  // Uninstalling while it runs: the same clean exit, then everything it
  // installed goes and the settings stay.
  const std::vector<HWND> windows = farm.OpenMany(2);
  Process panorel = StartAtSignInAndSwitch();
  ASSERT_TRUE(AllVisible(windows, false));
  Process uninstaller(quietUninstall);
  ASSERT_TRUE(uninstaller.IsStarted());
  EXPECT_TRUE(WaitUntil(Uninstalled, 60000));
  EXPECT_FALSE(panorel.IsRunning());
  EXPECT_TRUE(AllVisible(windows, true));
  EXPECT_EQ(FolderEntries(kFolder), std::vector<std::string>{"Panorel.ini"});
  EXPECT_FALSE(Exists(kShortcut));
  EXPECT_EQ(UserValue(kRunKey, "Panorel"), kMissing);
  char allow[8] = "";
  GetPrivateProfileStringA(AgreementSection().c_str(), "Allow", "", allow, sizeof allow, kIni.c_str());
  EXPECT_STREQ(allow, "Y") << "the settings are kept";
}

}  // namespace
