// The watcher: this program started once more, by the running Panorel, to
// wait for that Panorel's end. Nothing inside a process runs when it is
// ended from outside (Task Manager's "End task", say); the watcher then
// gives back what the recovery record names, as the next start would, so
// that no window stays out of the user's reach until then. It has no window,
// no icon and no hotkey, holds no file, and is no running Panorel for the
// single-instance rule.
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "framework/String.h"
#include "framework/WideString.h"
#include "settings/AppContext.h"

// True when the command line asks for the watcher of another process:
// the program's path, then "--watch" and that process's id.
bool ParseWatcherCommandLine(const wchar_t* commandLine, DWORD* watchedId);

// The watcher's whole run: waits for the process watchedId (a Panorel
// started before this watcher) to end, then gives back what the record
// beside app's settings names, if it is still there, and removes it. Returns
// at once when there is no such process to watch.
void RunWatcher(DWORD watchedId, CAppContext& app);

// The name of the object every watcher holds while it runs, by which the
// installer knows to wait until none is left. Set, it dismisses the watcher.
CStringW WatcherPresenceName(const CString& mainTitle);

// The running Panorel's watcher, from start to clean exit.
class CWatcher {
 public:
  // Starts the watcher of this process. Without one (the program's file
  // cannot be started again) the program runs as it did before it had one.
  CWatcher();
  CWatcher(const CWatcher&) = delete;
  CWatcher& operator=(const CWatcher&) = delete;

  // At the clean exit, once everything is shown and the record removed:
  // there is nothing left to watch for, and the program's process may still
  // take a few seconds to end. The watcher is told by its presence object
  // and ends by itself: a process ended from outside has been seen to take
  // the platform's desktop down with it under Wine.
  void Dismiss(const CString& mainTitle);

 private:
  CKernelHandle m_process;
};
