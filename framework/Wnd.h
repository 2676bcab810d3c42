// CWnd: a window seen from C++. It holds the handle, wraps the calls the
// program makes on windows, and gives derived classes WindowProc and Default
// to handle a message or hand it on.
//
// Every call goes through the platform's wide interface, texts converted
// from the program's code page: windows then read the same on a system of
// any code page.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "framework/WideString.h"

// A parent's notification handed back to the child control it concerns, as
// WM_REFLECT_BASE + the original message (WM_CTLCOLORSTATIC so far). A child
// that answers 0 leaves the parent's own handling in place.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }

  // Names an existing window without taking over its messages (a control
  // that stays its dialog's); Detach forgets it. Neither touches the window.
  void Attach(HWND window) { m_hWnd = window; }
  HWND Detach() {
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    return window;
  }

  // Takes over an existing window, typically a control of a dialog: its
  // messages reach this object's WindowProc, and whatever the object hands
  // to Default() goes to the window's own procedure. Lasts until the window
  // is destroyed or the object goes, whichever comes first.
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  // The object that subclassed window, or nullptr.
  static CWnd* FromHandlePermanent(HWND window);

  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }

  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void SetWindowText(const char* text) { ::SetWindowTextW(m_hWnd, TextToWide(text)); }
  CString GetWindowText() const;
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  CString GetDlgItemText(int id) const;
  void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextW(m_hWnd, id, TextToWide(text)); }
  // The check box questions a dialog asks, as booleans.
  bool IsChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }
  void SetCheck(int id, bool checked) { ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED); }
  void EnableItem(int id, bool enable) { ::EnableWindow(GetDlgItem(id), enable ? TRUE : FALSE); }
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendDlgItemMessageW(m_hWnd, id, message, wParam, lParam);
  }

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
  }

  UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  HICON SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  // The window's own copy of its system menu (never a reset).
  HMENU GetSystemMenu() const { return ::GetSystemMenu(m_hWnd, FALSE); }

  // A message box owned by this window; without a caption it carries the
  // program's name.
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
  // The same for a text that may hold what the program's code page cannot
  // (a path).
  int MessageBox(const CStringW& text, const char* caption, UINT type);

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  // The window; derived classes call the platform with it directly.
  HWND m_hWnd = nullptr;

  // What the window does with a message nobody here handled.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Hands the message being handled on to DefWindowProc.
  LRESULT Default();

  // Called after the window's last message, once the object has let go of
  // it; an object that owns itself may delete itself here.
  virtual void PostNcDestroy() {}

  // Runs WindowProc for one message, remembering it for Default(); safe for
  // messages that arrive while another is being handled.
  LRESULT DispatchMessageToObject(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Gives the window its own procedure back and forgets it.
  void UnsubclassWindow();

  // The subclassed window's own procedure; null for windows not subclassed.
  WNDPROC m_pfnSuper = nullptr;

  struct CurrentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
  };
  CurrentMessage m_current;
};
