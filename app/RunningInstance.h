// Finding the Panorel that already runs in this session. Only a window of
// the main dialog's class, bearing the main title, in a process started
// from a file named like this program's counts: another program's window of
// the same title (hidden or not) is none of Panorel's business.
#pragma once

#include <windows.h>

#include "framework/String.h"

// The running instance's main dialog; null when there is none.
HWND FindRunningInstance(const CString& title);

// Shows the running instance's dialog and brings it to the front; false when
// there is none.
bool ActivateRunningInstance(const CString& title);
