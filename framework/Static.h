// CStatic: a static control (a line of text or an icon) seen from C++,
// usually an existing control of a dialog taken over with SubclassDlgItem.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CStatic : public CWnd {
 public:
  // The icon an icon static shows; null for other statics.
  HICON GetIcon() const { return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, STM_GETICON, 0, 0)); }
};
