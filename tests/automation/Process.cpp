#include "tests/automation/Process.h"

#include <tlhelp32.h>

#include <vector>

#include "framework/WideString.h"

namespace automation {

Process::Process(const std::string& commandLine, const std::string& workingFolder, Start start)
    : Process(std::wstring(TextToWide(commandLine.c_str())), std::wstring(TextToWide(workingFolder.c_str())), start) {}

Process::Process(const std::wstring& commandLine, const std::wstring& workingFolder, Start start) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  if (CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, start == Start::kSuspended ? CREATE_SUSPENDED : 0,
                     nullptr, workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
    m_thread.Reset(info.hThread);
    m_process.Reset(info.hProcess);
    m_id = info.dwProcessId;
  }
}

Process::~Process() {
  if (IsRunning()) Terminate();
}

bool Process::IsRunning() const { return m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT; }

void Process::Resume() { ResumeThread(m_thread.Get()); }

bool Process::WaitForExit(DWORD timeoutMs) {
  return m_process && WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(m_process.Get(), &code);
  return code;
}

void Process::Terminate() {
  TerminateProcess(m_process.Get(), 1);
  WaitForSingleObject(m_process.Get(), 5000);
}

std::vector<DWORD> ChildProcessesOf(DWORD parentId) {
  std::vector<DWORD> children;
  CKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
    // A process id outlives its process in the table for a moment.
    if (entry.th32ParentProcessID == parentId && IsProcessRunning(entry.th32ProcessID)) {
      children.push_back(entry.th32ProcessID);
    }
  }
  return children;
}

bool IsProcessRunning(DWORD processId) {
  CKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  return process && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

void TerminateProcessById(DWORD processId) {
  CKernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  if (!process) return;
  TerminateProcess(process.Get(), 1);
  WaitForSingleObject(process.Get(), 5000);
}

}  // namespace automation
