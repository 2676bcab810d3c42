#include "tests/automation/Panorel.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "res/SwitcherDlgIds.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace automation {

namespace {

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  static unsigned counter = 0;
  for (;;) {
    std::ostringstream name;
    name << temp << "panorel-" << GetCurrentProcessId() << "-" << ++counter;
    if (CreateDirectoryA(name.str().c_str(), nullptr)) {
      m_path = name.str();
      return;
    }
  }
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

std::string WindowsPathOf(const std::string& unixPath) {
  if (unixPath.empty() || unixPath[0] != '/') return unixPath;
  std::string path = "Z:" + unixPath;
  for (char& ch : path) {
    if (ch == '/') ch = '\\';
  }
  return path;
}

std::string BuiltProgram(const char* environmentVariable) {
  const char* value = std::getenv(environmentVariable);
  return value ? WindowsPathOf(value) : std::string();
}

std::string AgreementSection() {
  char user[256] = "";
  char computer[256] = "";
  DWORD userSize = sizeof user;
  DWORD computerSize = sizeof computer;
  GetUserNameA(user, &userSize);
  GetComputerNameA(computer, &computerSize);
  return std::string(user) + "." + computer;
}

PanorelInstance::PanorelInstance(const std::string& exeName) : m_exeName(exeName) {
  CopyFileA(BuiltProgram("PANOREL_EXE").c_str(), ExePath().c_str(), FALSE);
}

std::string PanorelInstance::IniPath() const {
  const std::string exe = ExePath();
  return exe.substr(0, exe.size() - 4) + ".ini";
}

std::string PanorelInstance::IniText() const {
  std::ifstream file(IniPath(), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string PanorelInstance::ReadIni(const char* section, const char* key) const {
  char value[2048] = "";
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, IniPath().c_str());
  return value;
}

void PanorelInstance::WriteIni(const char* section, const char* key, const char* value) const {
  WritePrivateProfileStringA(section, key, value, IniPath().c_str());
}

Process& PanorelInstance::Start(const std::string& arguments) {
  std::string commandLine = "\"" + ExePath() + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  m_process = std::make_unique<Process>(commandLine, m_folder.Path());
  return *m_process;
}

HWND PanorelInstance::WaitForMainDialog(DWORD timeoutMs) {
  return WaitForTopLevel(m_process->Id(), "#32770", kMainTitle, false, timeoutMs);
}

bool PanorelInstance::Exit() {
  HWND dialog = FindTopLevel(m_process->Id(), "#32770", kMainTitle);
  if (!dialog) return false;
  Click(dialog, IDC_BUTTON_EXIT);
  return m_process->WaitForExit();
}

}  // namespace automation
