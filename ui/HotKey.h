// A global hotkey registered for a window under a global atom of its own.
// The registration and the atom are one lifetime: a new registration
// replaces the old one, and the owner releases both when it goes, so no
// way out of the program leaves the combination taken.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CHotKey {
 public:
  CHotKey() = default;
  ~CHotKey() { Unregister(); }
  CHotKey(const CHotKey&) = delete;
  CHotKey& operator=(const CHotKey&) = delete;

  // Registers modifiers + virtualKey for window, its identifier an atom
  // named atomName, in place of whatever this object held. False when the
  // system refused the combination (RefusalCode says why, 0 when it did not
  // say); the atom is held either way until the next Register or Unregister.
  bool Register(HWND window, const CString& atomName, UINT modifiers, UINT virtualKey);
  void Unregister();

  // Whether a WM_HOTKEY's identifier names this hotkey.
  bool IsIdentifiedBy(WPARAM identifier) const { return m_registered && identifier == m_atom; }
  DWORD RefusalCode() const { return m_refusal; }
  bool IsRegistered() const { return m_registered; }

 private:
  HWND m_window = nullptr;
  ATOM m_atom = 0;
  bool m_registered = false;
  DWORD m_refusal = 0;
};
