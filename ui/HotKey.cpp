#include "ui/HotKey.h"

#include "framework/LocalMemory.h"

bool CHotKey::Register(HWND window, const CString& atomName, UINT modifiers, UINT virtualKey) {
  Unregister();
  m_window = window;
  m_atom = GlobalAddAtomA(atomName);
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

CString SystemErrorText(DWORD error) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                 error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  CLocalMemory owner(text);
  return text;
}
