#include "dialogs/IconPickerDlg.h"
#include "framework/Strings.h"
#include "res/StringIds.h"
#include "res/SwitcherDlgIds.h"
#include "settings/SettingsStore.h"
#include "switcher/IconToolbars.h"
#include "ui/SettingsFormRules.h"
#include "ui/SwitcherDlg.h"
#include "ui/TrayIcon.h"

namespace {

CString YesNo(bool value) { return value ? "Y" : "N"; }

}  // namespace

void CSwitcherDlg::OnCheckHotKey() {
  if (!GetDlgItem(IDC_CHECK_HOTKEY)) return;
  const BOOL enable = IsDlgButtonChecked(IDC_CHECK_HOTKEY) == BST_CHECKED;
  for (int id : {IDC_CHECK_ALT, IDC_CHECK_CTRL, IDC_CHECK_SHIFT, IDC_CHECK_WIN, IDC_COMBO_KEY}) {
    EnableWindow(GetDlgItem(id), enable);
  }
}

void CSwitcherDlg::OnCheckTray() {
  if (!GetDlgItem(IDC_CHECK_TRAY)) return;
  const BOOL enable = IsDlgButtonChecked(IDC_CHECK_TRAY) == BST_CHECKED;
  for (int id : {IDC_EDIT_TIP, IDC_BUTTON_ICON}) EnableWindow(GetDlgItem(id), enable);
}

void CSwitcherDlg::OnButtonIcon() {
  CIconPickerDlg picker;
  // A source the chooser cannot show leaves it on its own default.
  picker.SetIconSource(m_strIconFile, m_nIconIndex);
  if (picker.DoModal() != IDOK) return;

  // The choice is ours from now on, even if the form is cancelled; only
  // the next apply saves it and puts it in the notification area.
  picker.GetIconSource(m_strIconFile, m_nIconIndex);
  SetIconButtonImage(ExtractIconFrom(m_strIconFile, m_nIconIndex));
}

void CSwitcherDlg::OnButtonOk() {
  const CSettingsFormState form = ReadSettingsForm();
  if (const UINT refusal = SettingsFormRefusal(form)) {
    MessageBox(LoadText(refusal));
    return;
  }

  const UINT modifiers = HotKeyModifiers(form);
  const UINT virtualKey = HotKeyFromListText(form.keyText);
  if (form.useHotKey) {
    WriteSetupValue("HotKeyFlags", IntToText(static_cast<int>(modifiers)));
    WriteSetupValue("HotKey", IntToText(static_cast<int>(virtualKey)));
  }

  // Both are put in again on every apply, changed or not.
  RemoveHotKey();
  DeleteTrayIcon();

  bool useTray = form.useTray;
  if (form.useHotKey && !SetupHotKey(virtualKey, modifiers) && !useTray) {
    // Without a hotkey the icon is the only way back to the program.
    MessageBox(LoadText(IDS_HOTKEY_FALLBACK_TO_TRAY));
    CheckDlgButton(IDC_CHECK_TRAY, BST_CHECKED);
    OnCheckTray();
    useTray = true;
  }

  if (useTray) {
    const CString tip = GetDlgItemText(IDC_EDIT_TIP);
    AddTrayIcon(m_strIconFile, m_nIconIndex, tip);
    // What AddTrayIcon settled on, fallback included, is what is saved.
    WriteSetupValue("Icon", JoinIconSetting(m_strIconFile, m_nIconIndex));
    WriteSetupValue("IconTitle", tip);
  } else {
    m_bTrayIcon = false;
  }
  WriteSetupValue("UseIcon", YesNo(useTray));
  // "Y" even when the system refused the hotkey: the next start tries again.
  WriteSetupValue("UseHotKey", YesNo(form.useHotKey));
  if (GetDlgItem(IDC_CHECK_OTHER_ICONS)) {
    const bool splitOtherIcons = IsDlgButtonChecked(IDC_CHECK_OTHER_ICONS) == BST_CHECKED;
    WriteSetupValue("HideElseIcon", YesNo(splitOtherIcons));
    // Saved all the same: it takes effect if the taskbar changes.
    if (splitOtherIcons && !TaskbarHasIconToolbar()) MessageBox(LoadText(IDS_NO_ICON_TOOLBAR));
  }
  ShowWindow(SW_HIDE);
}

void CSwitcherDlg::OnButtonCancel() { OnCancel(); }

CSettingsFormState CSwitcherDlg::ReadSettingsForm() const {
  auto checked = [this](int id) { return IsDlgButtonChecked(id) == BST_CHECKED; };
  CSettingsFormState form;
  form.useHotKey = checked(IDC_CHECK_HOTKEY);
  form.alt = checked(IDC_CHECK_ALT);
  form.ctrl = checked(IDC_CHECK_CTRL);
  form.shift = checked(IDC_CHECK_SHIFT);
  form.win = checked(IDC_CHECK_WIN);
  form.keyText = GetDlgItemText(IDC_COMBO_KEY);
  form.useTray = checked(IDC_CHECK_TRAY);
  return form;
}

void CSwitcherDlg::WriteSetupValue(const char* key, const CString& value) {
  // The form goes on whether or not the file could be written.
  WriteSetting(m_app.GetIniPath(), "Setup", key, value);
}
