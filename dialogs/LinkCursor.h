// The pointing-hand cursor of the links. It is borrowed from the help viewer
// in the Windows folder, whose cursor 106 is that hand, and loaded at most
// once: when it is not there, links simply show no cursor of their own.
#pragma once

#include <windows.h>

#include "framework/String.h"

constexpr int kHelpViewerHandCursor = 106;

// "<Windows folder>\winhlp32.exe".
CString HelpViewerPath();

// A private copy of cursor cursorId of the module at modulePath, still valid
// after the module is released; null when the module or the cursor is
// missing.
HCURSOR CopyCursorFromModule(const char* modulePath, int cursorId);

// A cursor taken from a module on first use. A failed attempt is final:
// later calls do not touch the disk again. The copy is never destroyed.
class CLinkCursor {
 public:
  CLinkCursor(CString modulePath, int cursorId);
  CLinkCursor(const CLinkCursor&) = delete;
  CLinkCursor& operator=(const CLinkCursor&) = delete;

  HCURSOR Get();

 private:
  CString m_strModulePath;
  int m_nCursorId;
  HCURSOR m_hCursor = nullptr;
  bool m_bTried = false;
};
