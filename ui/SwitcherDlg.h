// The main dialog: the settings form, the window that receives the hotkey and
// the notification icon's messages, and the owner of every piece of state
// that outlives a message. It decides the program's start and its end; the
// hotkey, the notification icon, the form's controls and the desktops are
// objects of their own that it holds and hands over to.
#pragma once

#include "dialogs/Help.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "settings/AppContext.h"
#include "settings/ExtrasSettings.h"
#include "settings/SetupSettings.h"
#include "switcher/CrashRestore.h"
#include "switcher/DesktopSwitcher.h"
#include "ui/HotKey.h"
#include "ui/SettingsForm.h"
#include "ui/TrayIcon.h"

class CSwitcherDlg : public CDialog {
 public:
  explicit CSwitcherDlg(CAppContext& app, CWnd* parent = nullptr);
  ~CSwitcherDlg() override;

  // For the start that has just recorded the user's agreement: once the
  // notification icon is there, a balloon from it says where Panorel runs
  // and which keys switch and move.
  void WelcomeNewUser() { m_bWelcomeNewUser = true; }

 protected:
  void DoDataExchange(CDataExchange* dataExchange) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  // The switch entry: the hotkey and a left click on the notification icon.
  virtual LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);

  // Registers the hotkey under an atom named after the current caption,
  // replacing the one held; tells the user when the system refuses it.
  bool SetupHotKey(UINT virtualKey, UINT modifiers);
  void RemoveHotKey();

  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnSysCommand(UINT command, LPARAM lParam) override;
  void OnPaint() override;
  HCURSOR OnQueryDragIcon() override;
  void OnTimer(UINT_PTR timerId) override;
  void OnHelp(HELPINFO* helpInfo) override;

 private:
  // Lifecycle.
  void AddAboutToSystemMenu();
  void OnShowAgain();
  void OnExit();
  // The session is ending: the system may end the process right after.
  void OnEndSession(bool ending);
  void OnButtonAbout();
  void ShowWelcome(const CHotKeyCombination& switchKey);

  // Switch, and the notification icon shows the desktop entered.
  void SwitchDesktop();
  // The extra key that moves the active window to the other desktop,
  // registered after the switch hotkey and in its wake: it follows the
  // switch combination unless the settings file names its own, and a
  // combination the system refuses is not worth a word.
  void SetupMoveHotKey(const CHotKeyCombination& switchKey);

  // Notification icon. Adds the icon of file and index, or the program's
  // own first icon when they name none, and returns the source it used.
  CIconSource AddTrayIcon(const CStringW& file, int index, CString tip);
  void DeleteTrayIcon();
  // Takes the chosen icon at the notification area's size, and makes its
  // badged form when the number is shown, for the notification icon to
  // change between them at every switch.
  void SetTrayImages(HICON chosen);
  HICON TrayImageForActiveDesktop() const;
  LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
  void ShowTrayMenu();

  // Settings form.
  void OnCheckHotKey() { m_form.EnableHotKeyControls(); }
  void OnCheckTray() { m_form.EnableTrayControls(); }
  void OnButtonIcon();
  void OnButtonOk();
  void OnButtonCancel() { OnCancel(); }
  // The apply's steps, in their order.
  void SaveHotKeyCombination(const CSettingsFormState& form);
  bool ApplyHotKey(const CSettingsFormState& form);
  void ApplyTrayIcon(bool useTray, const CString& tip);
  void SaveSwitches(const CSettingsFormState& form, bool useTray);
  // Fills the form with the settings in effect whenever it is shown again:
  // edits left behind by a cancel are dropped rather than shown, and later
  // applied, as if they were in effect.
  void ShowSettingsInEffect();
  CSetupSettings ReadSettingsInEffect();

  // Puts icon on button 1009; the dialog owns it from then on, and the
  // image it replaces is destroyed.
  void SetIconButtonImage(HICON icon);
  void SetIconSource(const CIconSource& source);
  void WriteSetupValue(const CSettingKey& key, const CString& value);

  CAppContext& m_app;

  HICON m_hIcon = nullptr;
  // The same icon at the caption's size; shared, like m_hIcon, and never
  // destroyed.
  HICON m_hSmallIcon = nullptr;
  // The icon the form shows and the notification area gets.
  int m_nIconIndex = 0;
  CStringW m_strIconFile;
  bool m_bShownBefore = false;
  bool m_bWelcomeNewUser = false;
  // Set when the apply could not write a setting.
  bool m_bSaveFailed = false;

  CHotKey m_hotKey;
  CHotKey m_moveHotKey;
  CTrayIcon m_trayIcon;
  CSettingsForm m_form{*this};

  // The desktops' window and notification-icon lists, and the switch.
  CDesktopSwitcher m_switcher;
  // For as long as the dialog lives, a crash still gives back what the
  // switcher hid.
  CCrashRestore m_crashRestore{m_switcher};

  // Beside the option that points to the guide.
  CHelpLink m_helpLink;

  CIconHandle m_iconButtonImage;
  // The notification icon's images of desktop 1 and desktop 2; the second
  // is null when the icon does not show the number.
  bool m_bShowDesktopNumber = true;
  CIconHandle m_trayPlainImage;
  CIconHandle m_trayBadgedImage;
};
