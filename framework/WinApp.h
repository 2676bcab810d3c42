// CWinApp: the one application object of a program. The program derives from
// it, constructs a single global instance, and the entry point runs its
// InitInstance. A dialog-based program runs everything inside modal dialogs,
// so there is no message loop of the application's own.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CWnd;

class CWinApp {
 public:
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int ExitInstance();

  // The program's style of dialog controls for the whole process.
  void Enable3dControlsStatic();

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
  // Program file name without its extension unless the program gave a name;
  // the caption of message boxes that have none of their own.
  CString m_strAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
const char* AfxGetAppName();
CWnd* AfxGetMainWnd();
// The entry point's work, kept apart from WinMain so that it can be named.
int AfxWinMain();
