#include "app/SwitcherApp.h"

#include <cstdlib>

#include "app/AgreementDlg.h"
#include "app/StartupHelpers.h"
#include "framework/Strings.h"
#include "res/StringIds.h"
#include "settings/SettingsStore.h"
#include "ui/SwitcherDlg.h"

CSwitcherApp theApp;

namespace {

CString AgreementSection() { return GetUserNameText() + "." + GetComputerNameText(); }

}  // namespace

CSwitcherApp::CSwitcherApp() : CWinApp(nullptr) {}

CSwitcherApp::~CSwitcherApp() = default;

CString CSwitcherApp::GetIniPath() {
  if (m_strIniPath.IsEmpty()) m_strIniPath = MakeIniPath();
  return m_strIniPath;
}

CString CSwitcherApp::GetMainTitle() const { return "Panorel - " + GetVendorHost(); }

BOOL CSwitcherApp::InitInstance() {
  if (CommandLineHasSwitch(GetCommandLineA())) {
    ShowMessage(LoadText(IDS_ERROR_PARM));
    return FALSE;
  }

  if (HWND running = FindWindowA(nullptr, GetMainTitle())) {
    ShowWindow(running, SW_SHOW);
    SetForegroundWindow(running);
    return FALSE;
  }

  Enable3dControlsStatic();
  if (!EnsureAgreementAccepted()) std::exit(0);

  CSwitcherDlg dialog(*this);
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}

bool CSwitcherApp::EnsureAgreementAccepted() {
  if (ReadSetting(GetIniPath(), AgreementSection(), "Allow", "N") == "Y") return true;

  CAgreementDlg agreement;
  if (agreement.DoModal() != IDOK) return false;
  WriteSetting(GetIniPath(), AgreementSection(), "Allow", "Y");
  return true;
}
