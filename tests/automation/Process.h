// A program the test started. Ending the test object ends the program if it
// is still running, so a failed test leaves nothing behind.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

namespace automation {

class Process {
 public:
  enum class Start { kRunning, kSuspended };
  // Starts commandLine in workingFolder (empty: the test's own folder).
  // Check IsStarted(). A suspended program runs once Resume() is called.
  // The narrow form takes code page 936 bytes, as every text of the tests;
  // the wide form takes paths in any script.
  Process(const std::string& commandLine, const std::string& workingFolder = "", Start start = Start::kRunning);
  Process(const std::wstring& commandLine, const std::wstring& workingFolder, Start start = Start::kRunning);
  ~Process();
  Process(Process&&) = default;
  Process& operator=(Process&&) = default;

  bool IsStarted() const { return static_cast<bool>(m_process); }
  DWORD Id() const { return m_id; }
  HANDLE Handle() const { return m_process.Get(); }
  bool IsRunning() const;
  void Resume();
  // Waits for the program to end; false when it is still running.
  bool WaitForExit(DWORD timeoutMs = kExitTimeoutMs);
  DWORD ExitCode() const;
  void Terminate();

  // A GUI program takes a few seconds to end under Wine.
  static constexpr DWORD kExitTimeoutMs = 20000;

 private:
  CKernelHandle m_process;
  CKernelHandle m_thread;
  DWORD m_id = 0;
};

// The processes that parentId started and that run now (a watcher, say).
std::vector<DWORD> ChildProcessesOf(DWORD parentId);
bool IsProcessRunning(DWORD processId);
// Ends a process the test did not start itself, and waits for its end.
void TerminateProcessById(DWORD processId);

}  // namespace automation
