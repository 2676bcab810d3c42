#include "ui/SwitcherDlg.h"

#include <cstdlib>

#include "dialogs/AboutDlg.h"
#include "framework/Strings.h"
#include "framework/WinApp.h"
#include "res/MainIcon.h"
#include "res/StringIds.h"
#include "res/SwitcherDlgIds.h"
#include "settings/SettingsStore.h"
#include "ui/TrayIcon.h"

namespace {

constexpr UINT_PTR kHideAfterStartTimer = 1;
constexpr UINT kHideAfterStartDelayMs = 500;
constexpr int kSystemMenuEntryToRemove = 1;

// Modifier bits as stored: 1 Alt, 2 Ctrl, 4 Shift, 8 Win.
constexpr int kModifierBoxes[] = {IDC_CHECK_ALT, IDC_CHECK_CTRL, IDC_CHECK_SHIFT, IDC_CHECK_WIN};

int ReadModifierSetting(const CString& text) {
  const int modifiers = static_cast<int>(std::atol(text)) & 0x0F;
  return modifiers == 0 ? MOD_CONTROL : modifiers;
}

int ReadKeySetting(const CString& text) {
  const long key = std::atol(text);
  return (key < VK_F1 || key > VK_F12) ? VK_F1 : static_cast<int>(key);
}

CString KeyName(int virtualKey) { return "F" + IntToText(virtualKey - (VK_F1 - 1)); }

}  // namespace

CSwitcherDlg::CSwitcherDlg(CAppContext& app, CWnd* parent)
    : CDialog(IDD_SWITCHER_DIALOG, parent),
      m_app(app),
      m_hIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_switcher(app) {}

CSwitcherDlg::~CSwitcherDlg() = default;

void CSwitcherDlg::DoDataExchange(CDataExchange*) {}

CString CSwitcherDlg::ReadSetupValue(const char* key, const CString& defaultValue) {
  return ReadSetting(m_app.GetIniPath(), "Setup", key, defaultValue);
}

BOOL CSwitcherDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_switcher.SetOwnWindow(m_hWnd);
  m_switcher.RestoreFromEarlierRun();

  if (HMENU systemMenu = GetSystemMenu()) {
    RemoveMenu(systemMenu, kSystemMenuEntryToRemove, MF_BYPOSITION);
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, LoadText(IDS_SYSMENU_ABOUT));
  }
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  const CString defaultIcon = JoinIconSetting(GetModulePath(), 0);
  const CIconSource iconSource = SplitIconSetting(ReadSetupValue("Icon", defaultIcon));
  m_strIconFile = iconSource.file;
  m_nIconIndex = iconSource.index;
  SetIconButtonImage(ExtractIconFrom(m_strIconFile, m_nIconIndex));

  const int modifiers = ReadModifierSetting(ReadSetupValue("HotKeyFlags", "2"));
  for (int key = VK_F1; key <= VK_F12; ++key) {
    SendDlgItemMessage(IDC_COMBO_KEY, CB_INSERTSTRING, key - VK_F1, reinterpret_cast<LPARAM>(KeyName(key).GetString()));
  }
  const int virtualKey = ReadKeySetting(ReadSetupValue("HotKey", "112"));
  ShowHotKeyCombination(modifiers, virtualKey);

  const bool useHotKey = IsYes(ReadSetupValue("UseHotKey", "Y"));
  const bool hotKeyRegistered = useHotKey && SetupHotKey(virtualKey, modifiers);

  // Without a hotkey the notification icon is the only way back in, so it
  // is shown whatever the setting says (the setting itself stays).
  bool iconWanted = IsYes(ReadSetupValue("UseIcon", "Y"));
  if (!hotKeyRegistered) iconWanted = true;

  const CString tip = ReadSetupValue("IconTitle", m_app.GetMainTitle());
  SetDlgItemText(IDC_EDIT_TIP, tip);

  CheckDlgButton(IDC_CHECK_HOTKEY, useHotKey ? BST_CHECKED : BST_UNCHECKED);
  OnCheckHotKey();

  if (iconWanted) {
    const CIconSource trayIcon = SplitIconSetting(ReadSetupValue("Icon", defaultIcon));
    AddTrayIcon(trayIcon.file, trayIcon.index, tip);
  }
  CheckDlgButton(IDC_CHECK_TRAY, iconWanted ? BST_CHECKED : BST_UNCHECKED);
  OnCheckTray();

  CheckDlgButton(IDC_CHECK_OTHER_ICONS, IsYes(ReadSetupValue("HideElseIcon", "N")) ? BST_CHECKED : BST_UNCHECKED);

  // The hotkey's atom is named after the caption it had before this point.
  SetWindowText(m_app.GetMainTitle());
  SetTimer(kHideAfterStartTimer, kHideAfterStartDelayMs);
  return TRUE;
}

void CSwitcherDlg::ShowHotKeyCombination(int modifiers, int virtualKey) {
  for (int bit = 0; bit < 4; ++bit) {
    CheckDlgButton(kModifierBoxes[bit], (modifiers & (1 << bit)) ? BST_CHECKED : BST_UNCHECKED);
  }
  const CString keyName = KeyName(virtualKey);
  SetDlgItemText(IDC_COMBO_KEY, keyName);
  SendDlgItemMessage(IDC_COMBO_KEY, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(keyName.GetString()));
}

void CSwitcherDlg::ShowSettingsInEffect() {
  // An icon picked and then cancelled goes too: it is not in effect.
  const CIconSource icon = SplitIconSetting(ReadSetupValue("Icon", JoinIconSetting(GetModulePath(), 0)));
  m_strIconFile = icon.file;
  m_nIconIndex = icon.index;
  SetIconButtonImage(ExtractIconFrom(m_strIconFile, m_nIconIndex));

  ShowHotKeyCombination(ReadModifierSetting(ReadSetupValue("HotKeyFlags", "2")),
                        ReadKeySetting(ReadSetupValue("HotKey", "112")));
  CheckDlgButton(IDC_CHECK_HOTKEY, IsYes(ReadSetupValue("UseHotKey", "Y")) ? BST_CHECKED : BST_UNCHECKED);
  OnCheckHotKey();

  SetDlgItemText(IDC_EDIT_TIP, ReadSetupValue("IconTitle", m_app.GetMainTitle()));
  // Whether the icon is there, not the setting: without a hotkey it is
  // there whatever the setting says, as the form showed at start.
  CheckDlgButton(IDC_CHECK_TRAY, m_bTrayIcon ? BST_CHECKED : BST_UNCHECKED);
  OnCheckTray();

  CheckDlgButton(IDC_CHECK_OTHER_ICONS, IsYes(ReadSetupValue("HideElseIcon", "N")) ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT CSwitcherDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == g_uTaskbarCreated) AddTrayIcon(m_strIconFile, m_nIconIndex, m_strTip);
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CSwitcherDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_TRAYNOTIFY:
      *result = OnTrayNotify(wParam, lParam);
      return TRUE;
    case WM_HOTKEY:
      *result = OnHotKey(wParam, lParam);
      return TRUE;
    case WM_QUERYENDSESSION:
      *result = TRUE;
      return TRUE;
    case WM_ENDSESSION:
      OnEndSession(wParam != FALSE);
      *result = 0;
      return TRUE;
    case WM_SHOWWINDOW:
      // The first show is the one at start, just after OnInitDialog filled
      // the form. Every later one follows a hide that may have left edits.
      if (wParam && m_bShownBefore) ShowSettingsInEffect();
      if (wParam) m_bShownBefore = true;
      return CDialog::OnWndMsg(message, wParam, lParam, result);
    default:
      return CDialog::OnWndMsg(message, wParam, lParam, result);
  }
}

BOOL CSwitcherDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != BN_CLICKED) return CDialog::OnCommand(wParam, lParam);
  switch (LOWORD(wParam)) {
    case IDC_BUTTON_EXIT: OnExit(); return TRUE;
    case IDC_CHECK_HOTKEY: OnCheckHotKey(); return TRUE;
    case IDC_CHECK_TRAY: OnCheckTray(); return TRUE;
    case IDC_BUTTON_CANCEL: OnButtonCancel(); return TRUE;
    case IDC_BUTTON_OK: OnButtonOk(); return TRUE;
    case IDC_BUTTON_ICON: OnButtonIcon(); return TRUE;
    case IDC_BUTTON_ABOUT: OnButtonAbout(); return TRUE;
    default: return CDialog::OnCommand(wParam, lParam);
  }
}

void CSwitcherDlg::OnSysCommand(UINT command, LPARAM lParam) {
  if ((command & 0xFFF0) == IDM_ABOUTBOX) {
    OnButtonAbout();
    return;
  }
  CDialog::OnSysCommand(command, lParam);
}

void CSwitcherDlg::OnPaint() {
  if (!IsIconic()) {
    CDialog::OnPaint();
    return;
  }
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(m_hWnd, &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, m_hIcon);
  EndPaint(m_hWnd, &paint);
}

HCURSOR CSwitcherDlg::OnQueryDragIcon() { return m_hIcon; }

void CSwitcherDlg::OnTimer(UINT_PTR timerId) {
  // The only timer hides the dialog once, half a second after start.
  KillTimer(kHideAfterStartTimer);
  if (IsWindowVisible()) ShowWindow(SW_HIDE);
  CDialog::OnTimer(timerId);
}

void CSwitcherDlg::OnOK() {}

void CSwitcherDlg::OnCancel() { ShowWindow(SW_HIDE); }

void CSwitcherDlg::OnExit() {
  RemoveHotKey();
  KillTimer(kHideAfterStartTimer);
  m_switcher.ShowRememberedWindows();
  if (m_bTrayIcon) DeleteTrayIcon();
  m_switcher.ShowAllTrayButtons();
  m_switcher.DiscardRecoveryRecord();
  // The framework's own OK processing: the class's OnOK does nothing.
  CDialog::OnOK();
}

void CSwitcherDlg::OnEndSession(bool ending) {
  // Everything is given back before this returns, as at a chosen exit.
  if (ending) OnExit();
}

void CSwitcherDlg::OnButtonAbout() {
  CAboutDlg about;
  about.DoModal();
}

void CSwitcherDlg::SetIconButtonImage(HICON icon) {
  SendDlgItemMessage(IDC_BUTTON_ICON, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  m_iconButtonImage.Reset(icon);
}
