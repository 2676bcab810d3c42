// Where a window opens: centred on the work area of the monitor that holds
// the mouse pointer (where the user is looking), or over the window it
// belongs to.
#pragma once

#include <windows.h>

// Centres window over over when that is a visible window, else on the work
// area of the monitor that holds the mouse pointer; never off that work
// area.
void CenterWindow(HWND window, HWND over);
