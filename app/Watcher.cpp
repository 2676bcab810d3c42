#include "app/Watcher.h"

#include <cwchar>

#include "framework/FileAccess.h"
#include "switcher/GiveBack.h"
#include "switcher/RecoveryFiles.h"
#include "switcher/TrayButtons.h"

namespace {

constexpr wchar_t kWatchSwitch[] = L"--watch ";
// A dismissed watcher is gone long before this; the wait only keeps the exit
// from leaving it behind for a moment.
constexpr DWORD kDismissWaitMs = 1000;

bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

// The command line past the program's path, quoted or not, and blanks.
const wchar_t* ArgumentsOf(const wchar_t* commandLine) {
  const wchar_t* at = commandLine;
  if (*at == L'"') {
    at = std::wcschr(at + 1, L'"');
    if (!at) return L"";
    ++at;
  } else {
    while (*at && !IsBlank(*at)) ++at;
  }
  while (IsBlank(*at)) ++at;
  return at;
}

ULONGLONG CreationTimeOf(HANDLE process) {
  FILETIME created = {}, exited = {}, kernel = {}, user = {};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// The watched Panorel's process, or none: a process id whose Panorel is
// gone may already name a newer process, which then started after this one
// and is not ours to watch.
CKernelHandle OpenWatched(DWORD watchedId) {
  CKernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, watchedId));
  if (!process || watchedId == GetCurrentProcessId() || !RunsThisProgram(watchedId)) return CKernelHandle();
  if (CreationTimeOf(process.Get()) > CreationTimeOf(GetCurrentProcess())) return CKernelHandle();
  return process;
}

}  // namespace

bool ParseWatcherCommandLine(const wchar_t* commandLine, DWORD* watchedId) {
  const wchar_t* at = ArgumentsOf(commandLine);
  const size_t switchLength = std::wcslen(kWatchSwitch);
  if (std::wcsncmp(at, kWatchSwitch, switchLength) != 0) return false;
  at += switchLength;
  ULONGLONG id = 0;
  const wchar_t* digits = at;
  while (*at >= L'0' && *at <= L'9' && at - digits < 10) id = id * 10 + static_cast<ULONGLONG>(*at++ - L'0');
  while (IsBlank(*at)) ++at;
  if (at == digits || *at || id == 0 || id > 0xFFFFFFFFull) return false;
  *watchedId = static_cast<DWORD>(id);
  return true;
}

CStringW WatcherPresenceName(const CString& mainTitle) { return L"Local\\" + TextToWide(mainTitle) + L" watcher"; }

void RunWatcher(DWORD watchedId, CAppContext& app) {
  CKernelHandle watched = OpenWatched(watchedId);
  if (!watched) return;
  CKernelHandle presence(CreateEventW(nullptr, TRUE, FALSE, WatcherPresenceName(app.GetMainTitle())));
  // The places are named now, while the program's settings are where its
  // Panorel found them.
  const CRecoveryFiles record(app.GetIniPath(), PerUserRecoveryFolder());
  // Nothing of the start is needed while it waits, which may be for days;
  // what giving back needs comes back in when it wakes.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  // Its Panorel's clean exit sets the presence object: nothing to give back.
  const HANDLE ends[] = {watched.Get(), presence.Get()};
  if (WaitForMultipleObjects(presence ? 2 : 1, ends, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) return;

  // A clean exit dismisses the watcher before it gets here; a record still
  // on disk was left by a Panorel that never reached its exit.
  CRecoveryRecord hidden;
  if (!record.Read(&hidden)) {
    record.Remove();
    return;
  }
  CTrayButtons buttons;
  GiveBackRecord(hidden, buttons);
  record.RemoveIfStill(hidden);
}

CWatcher::CWatcher() {
  const CStringW program = GetModulePath();
  if (program.IsEmpty()) return;
  wchar_t id[16] = L"";
  wsprintfW(id, L"%lu", GetCurrentProcessId());
  CStringW commandLine = L"\"" + program + L"\" " + kWatchSwitch + id;
  // Started in the system's folder: a current folder is a folder held open,
  // and the program's own must stay free to be removed.
  wchar_t systemFolder[MAX_PATH] = L"";
  GetSystemDirectoryW(systemFolder, MAX_PATH);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  // A program that starts and shows no window would give the user the busy
  // cursor for its first seconds.
  startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(program, commandLine.GetBuffer(commandLine.GetLength()), nullptr, nullptr, FALSE, 0, nullptr,
                      systemFolder[0] ? systemFolder : nullptr, &startup, &started)) {
    return;
  }
  CloseHandle(started.hThread);
  m_process.Reset(started.hProcess);
}

void CWatcher::Dismiss(const CString& mainTitle) {
  if (!m_process) return;
  // A watcher that has not made its object yet ends once this process has.
  CKernelHandle presence(OpenEventW(EVENT_MODIFY_STATE, FALSE, WatcherPresenceName(mainTitle)));
  if (presence) SetEvent(presence.Get());
  WaitForSingleObject(m_process.Get(), kDismissWaitMs);
  m_process.Reset();
}
