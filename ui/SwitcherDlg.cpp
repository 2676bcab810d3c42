#include "ui/SwitcherDlg.h"

#include "dialogs/AboutDlg.h"
#include "dialogs/IconFile.h"
#include "dialogs/IconPickerDlg.h"
#include "framework/FileAccess.h"
#include "framework/Strings.h"
#include "framework/SystemError.h"
#include "framework/WindowPlacement.h"
#include "framework/WinApp.h"
#include "res/MainIcon.h"
#include "res/StringIds.h"
#include "res/SwitcherDlgIds.h"
#include "settings/SettingsStore.h"
#include "switcher/IconToolbars.h"
#include "ui/DesktopBadge.h"
#include "ui/SettingsNotSaved.h"
#include "ui/StringArrayEx.h"
#include "ui/TextMenu.h"
#include "ui/WelcomeBalloon.h"

namespace {

constexpr UINT_PTR kHideAfterStartTimer = 1;
constexpr UINT kHideAfterStartDelayMs = 500;
constexpr int kSystemMenuEntryToRemove = 1;
// The platform keeps the low four bits of a system command for itself.
constexpr UINT kSystemCommandMask = 0xFFF0;
constexpr char kHotKeyAtomSuffix[] = "Panorel-HotKeyAtom";
constexpr char kMoveHotKeyAtomSuffix[] = "Panorel-MoveHotKeyAtom";

// The notification menu's entries, as list indices of ShowTextMenu.
enum TrayMenuChoice { kMenuSettings = 0, kMenuAbout = 2, kMenuExit = 3 };

}  // namespace

CSwitcherDlg::CSwitcherDlg(CAppContext& app, CWnd* parent)
    : CDialog(IDD_SWITCHER_DIALOG, parent),
      m_app(app),
      m_hIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_hSmallIcon(static_cast<HICON>(LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                 LR_SHARED))),
      m_switcher(app) {}

CSwitcherDlg::~CSwitcherDlg() = default;

void CSwitcherDlg::DoDataExchange(CDataExchange*) {}

// --- Lifecycle -------------------------------------------------------------

BOOL CSwitcherDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_switcher.SetOwnWindow(m_hWnd);
  m_switcher.RestoreFromEarlierRun();
  AddAboutToSystemMenu();
  m_helpLink.SubclassDlgItem(IDC_STATIC_HELP, this);
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hSmallIcon ? m_hSmallIcon : m_hIcon, FALSE);

  const CSetupSettings settings = ReadSettingsInEffect();
  SetIconSource(settings.icon);
  m_form.FillKeyList();
  const bool hotKeyRegistered = settings.useHotKey && SetupHotKey(settings.virtualKey, settings.modifiers);
  if (settings.useHotKey) SetupMoveHotKey({settings.modifiers, settings.virtualKey});
  m_bShowDesktopNumber = ReadShowDesktopNumber(m_app.GetIniPath());
  // Without a hotkey the notification icon is the only way back in, so it
  // is shown whatever the setting says (the setting itself stays).
  const bool iconWanted = settings.useIcon || !hotKeyRegistered;
  if (iconWanted) AddTrayIcon(settings.icon.file, settings.icon.index, settings.tip);
  m_form.Show(settings, iconWanted);
  if (m_bWelcomeNewUser && m_trayIcon.IsAdded()) ShowWelcome({settings.modifiers, settings.virtualKey});

  // The hotkey's atom is named after the caption it had before this point.
  SetWindowText(m_app.GetMainTitle());
  if (settings.useHotKey && !hotKeyRegistered) {
    // The user has just been asked to choose another key: the form stays,
    // ready for that choice, instead of hiding itself.
    ::SetFocus(GetDlgItem(IDC_COMBO_KEY));
    return FALSE;
  }
  SetTimer(kHideAfterStartTimer, kHideAfterStartDelayMs);
  return TRUE;
}

void CSwitcherDlg::AddAboutToSystemMenu() {
  HMENU systemMenu = GetSystemMenu();
  if (!systemMenu) return;
  RemoveMenu(systemMenu, kSystemMenuEntryToRemove, MF_BYPOSITION);
  AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, TextToWide(LoadText(IDS_SYSMENU_ABOUT)));
}

CSetupSettings CSwitcherDlg::ReadSettingsInEffect() {
  return ReadSetupSettings(m_app.GetIniPath(), GetModulePath(), m_app.GetMainTitle());
}

LRESULT CSwitcherDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == g_uTaskbarCreated) AddTrayIcon(m_strIconFile, m_nIconIndex, m_trayIcon.Tip());
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CSwitcherDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if ((message == WM_TRAYNOTIFY || message == WM_HOTKEY) && m_switcher.IsBusy()) {
    // Sent while a switch waits for other programs' answers: carried out
    // once it is done, after whatever was posted before it.
    PostMessage(message, wParam, lParam);
    *result = 0;
    return TRUE;
  }
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
      if (wParam) OnShowAgain();
      return CDialog::OnWndMsg(message, wParam, lParam, result);
    default:
      return CDialog::OnWndMsg(message, wParam, lParam, result);
  }
}

void CSwitcherDlg::OnShowAgain() {
  // The first show is the one at start, just after OnInitDialog filled the
  // form and the dialog base centred it. Every later one follows a hide
  // that may have left edits, perhaps with the pointer on another monitor.
  if (m_bShownBefore) {
    ShowSettingsInEffect();
    CenterWindow(m_hWnd, nullptr);
  }
  m_bShownBefore = true;
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
  if ((command & kSystemCommandMask) == IDM_ABOUTBOX) {
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
  CPaintDC paint(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
  RECT client;
  GetClientRect(m_hWnd, &client);
  const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(paint.Get(), x, y, m_hIcon);
}

HCURSOR CSwitcherDlg::OnQueryDragIcon() { return m_hIcon; }

void CSwitcherDlg::OnTimer(UINT_PTR timerId) {
  // The only timer hides the dialog once, half a second after start.
  KillTimer(kHideAfterStartTimer);
  if (IsWindowVisible()) ShowWindow(SW_HIDE);
  CDialog::OnTimer(timerId);
}

void CSwitcherDlg::OnHelp(HELPINFO*) { OpenHelp(); }

void CSwitcherDlg::OnOK() {}

void CSwitcherDlg::OnCancel() { ShowWindow(SW_HIDE); }

void CSwitcherDlg::OnExit() {
  RemoveHotKey();
  KillTimer(kHideAfterStartTimer);
  m_switcher.ShowRememberedWindows();
  if (m_trayIcon.IsAdded()) DeleteTrayIcon();
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

void CSwitcherDlg::ShowWelcome(const CHotKeyCombination& switchKey) {
  const CHotKeyCombination moveKey = ReadMoveHotKey(m_app.GetIniPath(), switchKey);
  const bool switchKeyInUse = m_hotKey.IsRegistered();
  const bool moveKeyInUse = switchKeyInUse && m_moveHotKey.IsRegistered();
  m_trayIcon.ShowBalloon(LoadText(IDS_WELCOME_TITLE),
                         WelcomeText(switchKeyInUse ? &switchKey : nullptr, moveKeyInUse ? &moveKey : nullptr));
}

// --- Hotkey ----------------------------------------------------------------

bool CSwitcherDlg::SetupHotKey(UINT virtualKey, UINT modifiers) {
  if (m_hotKey.Register(m_hWnd, GetWindowText() + kHotKeyAtomSuffix, modifiers, virtualKey)) return true;
  if (const DWORD error = m_hotKey.RefusalCode()) {
    // The system ends its texts with a line break, which a caption shows.
    CString caption = SystemErrorText(error);
    caption.TrimRight();
    MessageBox(LoadText(IDS_HOTKEY_REGISTER_FAILED), caption, MB_OK | MB_ICONINFORMATION);
  }
  return false;
}

void CSwitcherDlg::RemoveHotKey() {
  m_hotKey.Unregister();
  m_moveHotKey.Unregister();
}

void CSwitcherDlg::SetupMoveHotKey(const CHotKeyCombination& switchKey) {
  const CHotKeyCombination move = ReadMoveHotKey(m_app.GetIniPath(), switchKey);
  m_moveHotKey.Register(m_hWnd, GetWindowText() + kMoveHotKeyAtomSuffix, move.modifiers, move.virtualKey);
}

LRESULT CSwitcherDlg::OnHotKey(WPARAM wParam, LPARAM) {
  // Only the move key is told by its identifier: any other hotkey message
  // switches.
  if (m_moveHotKey.IsIdentifiedBy(wParam)) {
    m_switcher.MoveForegroundWindow();
  } else {
    SwitchDesktop();
  }
  return 0;
}

void CSwitcherDlg::SwitchDesktop() {
  m_switcher.SwitchDesktop();
  // Without the number both desktops show the same image: nothing to change.
  if (m_trayBadgedImage) m_trayIcon.Modify(TrayImageForActiveDesktop());
}

// --- Notification icon -----------------------------------------------------

CIconSource CSwitcherDlg::AddTrayIcon(const CStringW& file, int index, CString tip) {
  CIconSource source{file.IsEmpty() ? GetModulePath() : file, index};
  HICON icon = ExtractIconAtSize(source.file, source.index, GetSystemMetrics(SM_CXSMICON));
  if (!icon) {
    // The program's own first icon stands in; the settings keep their text.
    source = CIconSource{GetModulePath(), 0};
    icon = ExtractIconAtSize(source.file, source.index, GetSystemMetrics(SM_CXSMICON));
  }
  SetIconSource(source);
  SetTrayImages(icon);
  if (tip.IsEmpty()) tip = m_app.GetMainTitle();
  m_trayIcon.Add(m_hWnd, TrayImageForActiveDesktop(), tip);
  return source;
}

void CSwitcherDlg::DeleteTrayIcon() { m_trayIcon.Delete(); }

void CSwitcherDlg::SetTrayImages(HICON chosen) {
  m_trayPlainImage.Reset(chosen);
  m_trayBadgedImage.Reset(m_bShowDesktopNumber ? MakeBadgedIcon(chosen, GetSystemMetrics(SM_CXSMICON),
                                                                GetSystemMetrics(SM_CYSMICON))
                                               : nullptr);
}

HICON CSwitcherDlg::TrayImageForActiveDesktop() const {
  const bool onDesktop2 = m_switcher.ActiveDesktop() == 1;
  return onDesktop2 && m_trayBadgedImage ? m_trayBadgedImage.Get() : m_trayPlainImage.Get();
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

// --- Settings form ---------------------------------------------------------

void CSwitcherDlg::OnButtonIcon() {
  CIconPickerDlg picker;
  // A source the chooser cannot show leaves it on its own default.
  picker.SetIconSource(m_strIconFile, m_nIconIndex);
  if (picker.DoModal() != IDOK) return;

  // The choice is the form's until it is cancelled; only the next apply
  // saves it and puts it in the notification area.
  CIconSource chosen;
  picker.GetIconSource(chosen.file, chosen.index);
  SetIconSource(chosen);
}

void CSwitcherDlg::OnButtonOk() {
  const CSettingsFormState form = m_form.Read();
  if (const UINT refusal = SettingsFormRefusal(form)) {
    MessageBox(LoadText(refusal));
    return;
  }
  m_bSaveFailed = false;
  SaveHotKeyCombination(form);
  // Both are put in again on every apply, changed or not.
  RemoveHotKey();
  DeleteTrayIcon();
  const bool useTray = ApplyHotKey(form) || form.useTray;
  if (form.useHotKey) SetupMoveHotKey({HotKeyModifiers(form), HotKeyFromListText(form.keyText)});
  m_bShowDesktopNumber = ReadShowDesktopNumber(m_app.GetIniPath());
  ApplyTrayIcon(useTray, form.tip);
  SaveSwitches(form, useTray);
  if (m_bSaveFailed) MessageBox(SettingsNotSavedText(m_app.GetIniPath()), nullptr, MB_ICONWARNING | MB_OK);
  ShowWindow(SW_HIDE);
}

void CSwitcherDlg::SaveHotKeyCombination(const CSettingsFormState& form) {
  if (!form.useHotKey) return;
  WriteSetupValue(setting::kHotKeyFlags, IntToText(static_cast<int>(HotKeyModifiers(form))));
  WriteSetupValue(setting::kHotKey, IntToText(static_cast<int>(HotKeyFromListText(form.keyText))));
}

// True when the icon must stand in for a hotkey the system refused.
bool CSwitcherDlg::ApplyHotKey(const CSettingsFormState& form) {
  if (!form.useHotKey || SetupHotKey(HotKeyFromListText(form.keyText), HotKeyModifiers(form))) return false;
  if (form.useTray) return false;
  // Without a hotkey the icon is the only way back to the program.
  MessageBox(LoadText(IDS_HOTKEY_FALLBACK_TO_TRAY));
  SetCheck(IDC_CHECK_TRAY, true);
  OnCheckTray();
  return true;
}

void CSwitcherDlg::ApplyTrayIcon(bool useTray, const CString& tip) {
  if (!useTray) return;
  // What the icon settled on, fallback included, is what is saved.
  const CIconSource shown = AddTrayIcon(m_strIconFile, m_nIconIndex, tip);
  WriteSetupValue(setting::kIcon, JoinIconSetting(shown.file, shown.index));
  WriteSetupValue(setting::kIconTitle, tip);
}

void CSwitcherDlg::SaveSwitches(const CSettingsFormState& form, bool useTray) {
  WriteSetupValue(setting::kUseIcon, YesNo(useTray));
  // "Y" even when the system refused the hotkey: the next start tries again.
  WriteSetupValue(setting::kUseHotKey, YesNo(form.useHotKey));
  if (!form.hasOtherIconsBox) return;
  WriteSetupValue(setting::kHideElseIcon, YesNo(form.splitOtherIcons));
  // Saved all the same: it takes effect if the taskbar changes.
  if (form.splitOtherIcons && !TaskbarHasIconToolbar()) MessageBox(LoadText(IDS_NO_ICON_TOOLBAR));
}

void CSwitcherDlg::ShowSettingsInEffect() {
  const CSetupSettings settings = ReadSettingsInEffect();
  // An icon picked and then cancelled goes too: it is not in effect.
  SetIconSource(settings.icon);
  // Whether the icon is there, not the setting: without a hotkey it is
  // there whatever the setting says, as the form showed at start.
  m_form.Show(settings, m_trayIcon.IsAdded());
}

void CSwitcherDlg::SetIconSource(const CIconSource& source) {
  m_strIconFile = source.file;
  m_nIconIndex = source.index;
  SetIconButtonImage(ExtractIconAtSize(m_strIconFile, m_nIconIndex, GetSystemMetrics(SM_CXICON)));
}

void CSwitcherDlg::SetIconButtonImage(HICON icon) {
  SendDlgItemMessage(IDC_BUTTON_ICON, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  m_iconButtonImage.Reset(icon);
}

void CSwitcherDlg::WriteSetupValue(const CSettingKey& key, const CString& value) {
  // The form goes on whether or not the file could be written; the apply
  // says so at its end.
  if (!WriteSetting(m_app.GetIniPath(), key, value)) m_bSaveFailed = true;
}
