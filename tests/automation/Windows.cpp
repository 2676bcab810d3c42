#include "tests/automation/Windows.h"

#include <cstdlib>

#include "framework/WideString.h"
#include "tests/automation/Wait.h"

namespace automation {

namespace {

struct EnumState {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == state->processId) state->windows.push_back(window);
  return TRUE;
}

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Texts reach the tests as the program's own texts are: code page 936 bytes,
// whatever the system's code page, so that they compare with the tests'
// literals.
std::string AsText(const wchar_t* text, DWORD_PTR length) {
  const CString bytes = WideToText(text, static_cast<int>(length));
  return std::string(bytes.GetString(), static_cast<size_t>(bytes.GetLength()));
}

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  EnumState state{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
  return state.windows;
}

bool AllVisible(const std::vector<HWND>& windows, bool visible) {
  for (HWND window : windows) {
    if ((::IsWindowVisible(window) != FALSE) != visible) return false;
  }
  return true;
}

HWND FindTopLevel(DWORD processId, const char* className, const char* title, bool visibleOnly) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (visibleOnly && !IsWindowVisible(window)) continue;
    if (className && *className && ClassOf(window) != className) continue;
    if (title && TextOf(window) != title) continue;
    return window;
  }
  return nullptr;
}

HWND WaitForTopLevel(DWORD processId, const char* className, const char* title, bool visibleOnly, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(processId, className, title, visibleOnly)) != nullptr; }, timeoutMs);
  return found;
}

HWND FindMessageOnlyWindow(const char* className, DWORD processId) {
  HWND candidate = nullptr;
  while ((candidate = FindWindowExA(HWND_MESSAGE, candidate, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(candidate, &owner);
    if (owner == processId) return candidate;
  }
  return nullptr;
}

HWND FindMessageBox(DWORD processId) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (IsWindowVisible(window) && ClassOf(window) == "#32770" && GetDlgItem(window, 0xFFFF)) return window;
  }
  return nullptr;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindMessageBox(processId)) != nullptr; }, timeoutMs);
  return box;
}

std::string MessageBoxText(HWND box) { return TextOf(GetDlgItem(box, 0xFFFF)); }

std::string TextOf(HWND window) {
  wchar_t text[4096] = L"";
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return AsText(text, copied);
}

std::string FullTextOf(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::vector<wchar_t> text(length + 1);
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      10000, &copied);
  return AsText(text.data(), copied);
}

void SetText(HWND window, const std::string& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(TextToWide(text.c_str()).GetString()),
                      SMTO_ABORTIFHUNG, 5000, &result);
}

std::string ItemText(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }

bool IsChecked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool IsItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

std::string ComboSelectionText(HWND dialog, int id) {
  // Across processes CB_GETLBTEXT only works in its wide form under Wine.
  const LRESULT selection = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
  if (selection == CB_ERR) return "";
  wchar_t text[64] = L"";
  const LRESULT length =
      SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(text));
  return length == CB_ERR ? std::string() : AsText(text, static_cast<DWORD_PTR>(length));
}

bool TakesTyping(HWND edit) {
  const std::string before = FullTextOf(edit);
  DWORD_PTR result = 0;
  SendMessageTimeoutW(edit, WM_CHAR, L'x', 1, SMTO_NORMAL, kDefaultTimeoutMs, &result);
  return FullTextOf(edit) != before;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

int DistanceFromWorkAreaCentre(HWND window) {
  POINT pointer = {};
  GetCursorPos(&pointer);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT rect = {};
  GetWindowRect(window, &rect);
  const RECT& area = monitor.rcWork;
  const int across = abs((rect.left + rect.right) - (area.left + area.right)) / 2;
  const int down = abs((rect.top + rect.bottom) - (area.top + area.bottom)) / 2;
  return across > down ? across : down;
}

void PressKey(WORD virtualKey) { PressKeys({}, virtualKey); }

void PressKeys(std::initializer_list<WORD> modifiers, WORD virtualKey) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) inputs.push_back(KeyInput(*it, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace automation
