#include "framework/LocalMemory.h"
#include "framework/Strings.h"
#include "res/StringIds.h"
#include "ui/SwitcherDlg.h"

namespace {

// The system's own text for an error code, as the caption of our message.
CString SystemErrorText(DWORD error) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                 error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  CLocalMemory owner(text);
  return text;
}

}  // namespace

bool CSwitcherDlg::SetupHotKey(UINT virtualKey, UINT modifiers) {
  if (m_atomHotKey != 0) RemoveHotKey();

  m_atomHotKey = GlobalAddAtomA(GetWindowText() + "Panorel-HotKeyAtom");
  // The platform may leave an old code behind after calls that succeeded.
  SetLastError(0);
  if (RegisterHotKey(m_hWnd, static_cast<int>(m_atomHotKey), modifiers, virtualKey)) return true;

  const DWORD error = GetLastError();
  if (error > 0) {
    MessageBox(LoadText(IDS_HOTKEY_REGISTER_FAILED), SystemErrorText(error), MB_OK | MB_ICONINFORMATION);
  }
  // The atom stays held until the next RemoveHotKey.
  return false;
}

void CSwitcherDlg::RemoveHotKey() {
  if (m_atomHotKey == 0) return;
  UnregisterHotKey(m_hWnd, static_cast<int>(m_atomHotKey));
  GlobalDeleteAtom(static_cast<ATOM>(m_atomHotKey));
  m_atomHotKey = 0;
}

LRESULT CSwitcherDlg::OnHotKey(WPARAM, LPARAM) {
  // Any hotkey message switches: its identifier is not compared.
  SwitchDesktop();
  return 0;
}
