// The settings form's controls on the main dialog: shown from the settings,
// read back as the state an apply works on, and each control that only
// means something with its check box enabled with that box.
#pragma once

#include "framework/Wnd.h"
#include "settings/SetupSettings.h"
#include "ui/SettingsFormRules.h"

class CSettingsForm {
 public:
  explicit CSettingsForm(CWnd& dialog) : m_dialog(dialog) {}
  CSettingsForm(const CSettingsForm&) = delete;
  CSettingsForm& operator=(const CSettingsForm&) = delete;

  // Puts F1 … F12 into the key list; once, while the dialog starts.
  void FillKeyList();
  void ShowHotKey(UINT modifiers, UINT virtualKey);
  // Every control as the settings say; the icon box as given, since the
  // icon may be there whatever its setting says.
  void Show(const CSetupSettings& settings, bool iconShown);

  void EnableHotKeyControls();
  void EnableTrayControls();

  CSettingsFormState Read() const;

 private:
  CWnd& m_dialog;
};
