// Giving back what a recovery record names: at start, for an earlier run
// that never reached its exit, and in the watcher, the moment the program it
// watches is ended from outside.
#pragma once

#include "switcher/RecoveryRecord.h"

class CTrayButtons;

// The shell's own windows (the taskbar, the desktop and their kind): the
// shell decides when they show, so no switch hides them and no record
// gives them back.
bool IsShellWindowClass(const std::string& className);
bool IsShellWindow(HWND window);

// Whether the process runs this program's file (this process does).
bool RunsThisProgram(DWORD processId);

// Whether recorded may be given back: a window a switch could have hidden,
// neither the shell's nor one of a process that runs this program's file,
// that still is the window recorded and is still hidden.
bool MayGiveBack(const CHiddenWindowRecord& recorded);

// Shows every window of record that may be given back, and when buttons may
// have been hidden, every notification button, through buttons, which keeps
// those it could not show for the exit. The shows are queued, so no window
// that is busy holds the others up.
void GiveBackRecord(const CRecoveryRecord& record, CTrayButtons& buttons);
