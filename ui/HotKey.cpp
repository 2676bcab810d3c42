#include "ui/HotKey.h"

#include "framework/WideString.h"


bool CHotKey::Register(HWND window, const CString& atomName, UINT modifiers, UINT virtualKey) {
  Unregister();
  m_window = window;
  m_atom = GlobalAddAtomW(TextToWide(atomName));
  // The platform may leave an old code behind after calls that succeeded.
  SetLastError(0);
  m_registered = RegisterHotKey(window, m_atom, modifiers, virtualKey) != FALSE;
  m_refusal = m_registered ? 0 : GetLastError();
  return m_registered;
}

void CHotKey::Unregister() {
  if (m_atom == 0) return;
  if (m_registered) UnregisterHotKey(m_window, m_atom);
  GlobalDeleteAtom(m_atom);
  m_atom = 0;
  m_registered = false;
}
