#include "ui/TrayIcon.h"

#include "ui/SwitcherDlg.h"

const UINT g_uTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");

void CSwitcherDlg::AddTrayIcon(CString, int, CString) {
  // The notification icon arrives with its menu; until then nothing is added.
}

void CSwitcherDlg::DeleteTrayIcon() {}

LRESULT CSwitcherDlg::OnTrayNotify(WPARAM, LPARAM) { return 0; }
