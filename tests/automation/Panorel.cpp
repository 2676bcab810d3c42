#include "tests/automation/Panorel.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "framework/Handles.h"
#include "framework/WideString.h"
#include "res/SwitcherDlgIds.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace automation {

namespace {

std::wstring Wide(const std::string& text) { return TextToWide(text.c_str()).GetString(); }

std::string Narrow(const std::wstring& text) {
  const CString bytes = WideToText(text.c_str(), static_cast<int>(text.size()));
  return std::string(bytes.GetString(), static_cast<size_t>(bytes.GetLength()));
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

// CreateFile's failure value is not the null handle the owner knows.
CKernelHandle OpenFile(const std::wstring& path, DWORD access, DWORD disposition) {
  HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return CKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  static unsigned counter = 0;
  for (;;) {
    std::wostringstream name;
    name << temp << L"panorel-" << GetCurrentProcessId() << L"-" << ++counter;
    if (CreateDirectoryW(name.str().c_str(), nullptr)) {
      m_path = name.str();
      return;
    }
  }
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

std::string ScratchFolder::Path() const { return Narrow(m_path); }

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

std::string FileBytes(const std::wstring& path) {
  CKernelHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) return std::string();
  std::string bytes;
  char block[4096];
  DWORD read = 0;
  while (ReadFile(file.Get(), block, sizeof block, &read, nullptr) && read > 0) bytes.append(block, read);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  CKernelHandle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
  DWORD written = 0;
  return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::string AgreementSection() {
  // As the program names it: code page 936 text whatever the system's.
  wchar_t user[256] = L"";
  wchar_t computer[256] = L"";
  DWORD userSize = 256;
  DWORD computerSize = 256;
  GetUserNameW(user, &userSize);
  GetComputerNameW(computer, &computerSize);
  return Narrow(user) + "." + Narrow(computer);
}

PanorelInstance::PanorelInstance(const std::string& exeName) : m_exePath(m_folder.PathW() + L"\\" + Wide(exeName)) {
  CopyFileW(Wide(BuiltProgram("PANOREL_EXE")).c_str(), m_exePath.c_str(), FALSE);
}

PanorelInstance::PanorelInstance(const InSubfolder& subfolder)
    : m_exePath(m_folder.PathW() + L"\\" + subfolder.name + L"\\Panorel.exe") {
  CreateDirectoryW(ProgramFolderW().c_str(), nullptr);
  CopyFileW(Wide(BuiltProgram("PANOREL_EXE")).c_str(), m_exePath.c_str(), FALSE);
}

PanorelInstance::PanorelInstance(const AsInstalled& program) : m_exePath(program.exePath) {}

PanorelInstance::~PanorelInstance() {
  if (!m_process) return;
  const std::vector<DWORD> watchers = ChildProcessesOf(m_process->Id());
  m_process.reset();
  // A watcher ends on its own within a second of its program; one that
  // does not is ended, so that nothing is left running.
  for (DWORD watcher : watchers) {
    if (!WaitUntil([&] { return !IsProcessRunning(watcher); }, 5000)) TerminateProcessById(watcher);
  }
}

DWORD PanorelInstance::WatcherId() const {
  const std::vector<DWORD> watchers = ChildProcessesOf(m_process->Id());
  return watchers.size() == 1 ? watchers[0] : 0;
}

std::string PanorelInstance::ExePath() const { return Narrow(m_exePath); }

std::string PanorelInstance::IniPath() const { return Narrow(IniPathW()); }

std::wstring PanorelInstance::IniPathW() const { return m_exePath.substr(0, m_exePath.size() - 4) + L".ini"; }

std::wstring PanorelInstance::ProgramFolderW() const { return FolderOf(m_exePath); }

std::string PanorelInstance::ReadIni(const char* section, const char* key) const {
  wchar_t value[2048] = L"";
  GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), L"<missing>", value, 2048,
                           IniPathW().c_str());
  return Narrow(value);
}

void PanorelInstance::WriteIni(const char* section, const char* key, const char* value) const {
  WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), value ? Wide(value).c_str() : nullptr,
                             IniPathW().c_str());
}

Process& PanorelInstance::Start(const std::string& arguments) {
  std::wstring commandLine = L"\"" + m_exePath + L"\"";
  if (!arguments.empty()) commandLine += L" " + Wide(arguments);
  m_process = std::make_unique<Process>(commandLine, ProgramFolderW());
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
