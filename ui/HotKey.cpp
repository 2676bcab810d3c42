#include "ui/SwitcherDlg.h"

bool CSwitcherDlg::SetupHotKey(UINT, UINT) {
  // The global hotkey arrives with the switch; until then none is registered.
  return false;
}

void CSwitcherDlg::RemoveHotKey() {}

LRESULT CSwitcherDlg::OnHotKey(WPARAM, LPARAM) { return 0; }
