// Finding and reading other programs' windows, and acting on them the way a
// user or another program would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace automation {

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
inline bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }
// True when every one of windows is visible (visible = true) or every one
// hidden (false).
bool AllVisible(const std::vector<HWND>& windows, bool visible);
// The first top-level window of processId with that class ("" for any) and
// exact title (nullptr for any); visible ones only when visibleOnly.
HWND FindTopLevel(DWORD processId, const char* className, const char* title, bool visibleOnly = false);
// Waits for such a window to exist (and be visible, when asked).
HWND WaitForTopLevel(DWORD processId, const char* className, const char* title, bool visibleOnly = true,
                     DWORD timeoutMs = 10000);

// The message-only window of that class belonging to processId: how the
// helper programs take requests.
HWND FindMessageOnlyWindow(const char* className, DWORD processId);

// A visible message box of processId: a dialog with the static text 0xFFFF.
HWND FindMessageBox(DWORD processId);
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = 10000);
std::string MessageBoxText(HWND box);

// Window text read with WM_GETTEXT, which works across processes (the plain
// GetWindowText of another process's control does not). Every text is read
// in its wide form and handed over as code page 936 bytes, the program's
// own encoding, so it reads the same whatever the system's code page.
std::string TextOf(HWND window);
// The whole text, however long (TextOf stops at 4 KB).
std::string FullTextOf(HWND window);
std::string ItemText(HWND dialog, int id);
// Puts text (code page 936 bytes) into a window in its wide form, as typing
// it would, whatever the system's code page.
void SetText(HWND window, const std::string& text);
bool IsChecked(HWND dialog, int id);
bool IsItemEnabled(HWND dialog, int id);
// Posted: a click that opens a modal box must not block the test.
void Click(HWND dialog, int id);
// The selected item's text of a drop-down list in another process.
std::string ComboSelectionText(HWND dialog, int id);

// A character typed into an edit of another process, handled by the time
// this returns; true when the edit's text changed.
bool TakesTyping(HWND edit);
// The control that has the keyboard focus in window's thread.
HWND FocusOf(HWND window);
// "Within a few pixels" of a centre: halving an odd size rounds.
constexpr int kCentredWithinPixels = 4;
// How far window's centre lies from the centre of the work area of the
// monitor that holds the mouse pointer, in pixels, the larger of the two
// directions.
int DistanceFromWorkAreaCentre(HWND window);

// Real key input, as a user types it, to whatever has the focus.
void PressKey(WORD virtualKey);
void PressKeys(std::initializer_list<WORD> modifiers, WORD virtualKey);

}  // namespace automation
