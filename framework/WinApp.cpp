#include "framework/WinApp.h"

#include <commctrl.h>

#include "framework/FileAccess.h"
#include "framework/WideString.h"

namespace {

CWinApp* g_pApp = nullptr;

CString ProgramFileTitle() {
  const CStringW path = GetModulePath();
  CStringW name = path.Mid(path.ReverseFind(L'\\') + 1);
  const int dot = name.ReverseFind(L'.');
  if (dot > 0) name = name.Left(dot);
  return WideToText(name, name.GetLength());
}

}  // namespace

CWinApp::CWinApp(const char* appName) : m_hInstance(GetModuleHandleW(nullptr)) {
  m_strAppName = appName ? CString(appName) : ProgramFileTitle();
  g_pApp = this;
}

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::Enable3dControlsStatic() {
  // Today's platform draws every dialog control three-dimensionally; what is
  // left to switch on per process are the common controls' classes.
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&init);
}

CWinApp* AfxGetApp() { return g_pApp; }

HINSTANCE AfxGetInstanceHandle() { return g_pApp ? g_pApp->m_hInstance : GetModuleHandleW(nullptr); }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

const char* AfxGetAppName() { return g_pApp ? g_pApp->m_strAppName.GetString() : ""; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

int AfxWinMain() {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->InitInstance();
  return app->ExitInstance();
}
