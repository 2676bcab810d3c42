#include "tests/automation/SettingsForm.h"

#include "res/SwitcherDlgIds.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace automation {

void ChooseKey(HWND dialog, int number) {
  SendDlgItemMessageW(dialog, IDC_COMBO_KEY, CB_SETCURSEL, static_cast<WPARAM>(number - 1), 0);
}

void SetTip(HWND dialog, const std::string& text) { SetText(GetDlgItem(dialog, IDC_EDIT_TIP), text); }

bool Apply(HWND dialog) {
  Click(dialog, IDC_BUTTON_OK);
  return WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000);
}

}  // namespace automation
