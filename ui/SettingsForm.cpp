#include "ui/SettingsForm.h"

#include "res/SwitcherDlgIds.h"
#include "settings/SettingsStore.h"

namespace {

// The boxes in the order of the modifier bits: 1 Alt, 2 Ctrl, 4 Shift, 8 Win.
constexpr int kModifierBoxes[] = {IDC_CHECK_ALT, IDC_CHECK_CTRL, IDC_CHECK_SHIFT, IDC_CHECK_WIN};

CString KeyName(UINT virtualKey) { return "F" + IntToText(static_cast<int>(virtualKey - (VK_F1 - 1))); }

}  // namespace

void CSettingsForm::FillKeyList() {
  for (UINT key = VK_F1; key <= VK_F12; ++key) {
    m_dialog.SendDlgItemMessage(IDC_COMBO_KEY, CB_INSERTSTRING, key - VK_F1,
                                reinterpret_cast<LPARAM>(TextToWide(KeyName(key)).GetString()));
  }
}

void CSettingsForm::ShowHotKey(UINT modifiers, UINT virtualKey) {
  for (int bit = 0; bit < 4; ++bit) m_dialog.SetCheck(kModifierBoxes[bit], (modifiers & (1u << bit)) != 0);
  const CString keyName = KeyName(virtualKey);
  m_dialog.SetDlgItemText(IDC_COMBO_KEY, keyName);
  m_dialog.SendDlgItemMessage(IDC_COMBO_KEY, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(TextToWide(keyName).GetString()));
}

void CSettingsForm::Show(const CSetupSettings& settings, bool iconShown) {
  ShowHotKey(settings.modifiers, settings.virtualKey);
  m_dialog.SetCheck(IDC_CHECK_HOTKEY, settings.useHotKey);
  EnableHotKeyControls();
  m_dialog.SetDlgItemText(IDC_EDIT_TIP, settings.tip);
  m_dialog.SetCheck(IDC_CHECK_TRAY, iconShown);
  EnableTrayControls();
  m_dialog.SetCheck(IDC_CHECK_OTHER_ICONS, settings.splitOtherIcons);
}

void CSettingsForm::EnableHotKeyControls() {
  if (!m_dialog.GetDlgItem(IDC_CHECK_HOTKEY)) return;
  const bool enable = m_dialog.IsChecked(IDC_CHECK_HOTKEY);
  for (int id : {IDC_CHECK_ALT, IDC_CHECK_CTRL, IDC_CHECK_SHIFT, IDC_CHECK_WIN, IDC_COMBO_KEY}) {
    m_dialog.EnableItem(id, enable);
  }
}

void CSettingsForm::EnableTrayControls() {
  if (!m_dialog.GetDlgItem(IDC_CHECK_TRAY)) return;
  const bool enable = m_dialog.IsChecked(IDC_CHECK_TRAY);
  for (int id : {IDC_EDIT_TIP, IDC_BUTTON_ICON}) m_dialog.EnableItem(id, enable);
}

CSettingsFormState CSettingsForm::Read() const {
  CSettingsFormState form;
  form.useHotKey = m_dialog.IsChecked(IDC_CHECK_HOTKEY);
  form.alt = m_dialog.IsChecked(IDC_CHECK_ALT);
  form.ctrl = m_dialog.IsChecked(IDC_CHECK_CTRL);
  form.shift = m_dialog.IsChecked(IDC_CHECK_SHIFT);
  form.win = m_dialog.IsChecked(IDC_CHECK_WIN);
  form.keyText = m_dialog.GetDlgItemText(IDC_COMBO_KEY);
  form.useTray = m_dialog.IsChecked(IDC_CHECK_TRAY);
  form.tip = m_dialog.GetDlgItemText(IDC_EDIT_TIP);
  form.hasOtherIconsBox = m_dialog.GetDlgItem(IDC_CHECK_OTHER_ICONS) != nullptr;
  form.splitOtherIcons = m_dialog.IsChecked(IDC_CHECK_OTHER_ICONS);
  return form;
}
