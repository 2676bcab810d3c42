#include "ui/TrayIcon.h"

#include <shellapi.h>

#include "framework/Strings.h"
#include "framework/WinApp.h"
#include "res/StringIds.h"
#include "settings/SettingsStore.h"
#include "ui/StringArrayEx.h"
#include "ui/SwitcherDlg.h"
#include "ui/TextMenu.h"

const UINT g_uTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");

namespace {

// The record in its first and smallest form: every shell accepts it.
constexpr DWORD kNotifyIconRecordSize = 88;
constexpr int kTipBytes = 63;

// The menu's entries, as list indices of ShowTextMenu.
enum TrayMenuChoice { kMenuSettings = 0, kMenuAbout = 2, kMenuExit = 3 };

NOTIFYICONDATAA TrayRecord(HWND owner) {
  NOTIFYICONDATAA record = {};
  record.cbSize = kNotifyIconRecordSize;
  record.hWnd = owner;
  record.uID = TRAY_ICON_ID;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  return record;
}

}  // namespace

CString FitTrayTip(const CString& tip) { return tip.LeftWholeChars(kTipBytes); }

HICON ExtractIconFrom(const CString& file, int index) {
  if (index == -1) return nullptr;
  return ExtractIconA(AfxGetInstanceHandle(), file, static_cast<UINT>(index));
}

void CSwitcherDlg::AddTrayIcon(CString file, int index, CString tip) {
  if (file.IsEmpty()) file = GetModulePath();
  HICON icon = ExtractIconFrom(file, index);
  if (!icon) {
    // The program's own first icon stands in; the settings keep their text.
    file = GetModulePath();
    index = 0;
    icon = ExtractIconFrom(file, index);
  }
  m_nIconIndex = index;
  m_strIconFile = file;
  SetIconButtonImage(icon);

  if (tip.IsEmpty()) tip = m_app.GetMainTitle();
  m_strTip = FitTrayTip(tip);

  NOTIFYICONDATAA record = TrayRecord(m_hWnd);
  record.uCallbackMessage = WM_TRAYNOTIFY;
  record.hIcon = icon;
  lstrcpynA(record.szTip, m_strTip, sizeof record.szTip);
  m_bTrayIcon = true;
  Shell_NotifyIconA(NIM_ADD, &record);
}

void CSwitcherDlg::DeleteTrayIcon() {
  NOTIFYICONDATAA record = TrayRecord(m_hWnd);
  Shell_NotifyIconA(NIM_DELETE, &record);
}

LRESULT CSwitcherDlg::OnTrayNotify(WPARAM, LPARAM lParam) {
  switch (lParam) {
    case WM_LBUTTONUP:
      OnHotKey(0, 0);
      break;
    case WM_RBUTTONDOWN:
      ShowTrayMenu();
      break;
    default:
      break;
  }
  return 0;
}

void CSwitcherDlg::ShowTrayMenu() {
  HWND previousForeground = ::GetForegroundWindow();
  CStringArrayEx items;
  items.Add(LoadText(IDS_TRAY_MENU_SETTINGS));
  items.Add("-\r\n0");
  items.Add(LoadText(IDS_TRAY_MENU_ABOUT));
  items.Add(LoadText(IDS_TRAY_MENU_EXIT));

  // A menu tracked for a window that is not in the foreground does not
  // close when the user clicks elsewhere.
  SetForegroundWindow();
  switch (ShowTextMenu(&items)) {
    case kMenuSettings:
      ShowWindow(SW_SHOWNORMAL);
      return;
    case kMenuAbout:
      OnButtonAbout();
      break;
    case kMenuExit:
      OnExit();
      return;
    default:
      break;
  }
  if (previousForeground) ::SetForegroundWindow(previousForeground);
}
