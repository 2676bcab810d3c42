#include "res/SwitcherDlgIds.h"
#include "ui/SwitcherDlg.h"

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
  // The icon chooser arrives with the settings form's apply.
}

void CSwitcherDlg::OnButtonOk() {
  // Validation and apply arrive with the settings form.
}

void CSwitcherDlg::OnButtonCancel() { OnCancel(); }
