#include "app/SwitcherApp.h"

#include <cstdlib>

#include "app/AgreementDlg.h"
#include "app/RunningInstance.h"
#include "app/StartupHelpers.h"
#include "app/UiLanguage.h"
#include "app/Watcher.h"
#include "framework/Strings.h"
#include "framework/WideString.h"
#include "res/ProductTexts.h"
#include "res/StringIds.h"
#include "settings/SettingsLocation.h"
#include "settings/SettingsStore.h"
#include "ui/SwitcherDlg.h"

CSwitcherApp theApp;

namespace {

// How long a start that lost the race waits for the winner's dialog to bear
// the main title, before it says that the running one does not answer.
constexpr DWORD kWaitForRunningInstanceMs = 10000;
constexpr DWORD kPollMs = 50;

CString AgreementSection() { return GetUserNameText() + "." + GetComputerNameText(); }

}  // namespace

CSwitcherApp::CSwitcherApp() : CWinApp(nullptr) {}

CSwitcherApp::~CSwitcherApp() = default;

CStringW CSwitcherApp::GetIniPath() {
  if (m_strIniPath.IsEmpty()) {
    CStringW tooLarge;
    m_strIniPath = LocateSettingsFile(&tooLarge);
    if (!tooLarge.IsEmpty()) ShowMessage(FormatText(TextToWide(LoadText(IDS_SETTINGS_TOO_LARGE)), tooLarge));
  }
  return m_strIniPath;
}

CString CSwitcherApp::GetMainTitle() const { return "Panorel - " + GetVendorHost(); }

BOOL CSwitcherApp::InitInstance() {
  // The watcher's role comes before every rule of a start: it is no
  // instance, asks nothing and shows nothing.
  DWORD watchedId = 0;
  if (ParseWatcherCommandLine(GetCommandLineW(), &watchedId)) {
    RunWatcher(watchedId, *this);
    return FALSE;
  }

  if (CommandLineHasSwitch(GetCommandLineA())) {
    ShowMessage(LoadText(IDS_ERROR_PARM));
    return FALSE;
  }

  if (ActivateRunningInstance(GetMainTitle())) return FALSE;

  // The system's language first, for what finding the settings file may
  // have to say; then the file's own choice.
  SpeakTheUsersLanguage(CStringW());
  SpeakTheUsersLanguage(GetIniPath());
  Enable3dControlsStatic();
  const Agreement agreement = EnsureAgreementAccepted();
  if (agreement == Agreement::kRefused) std::exit(0);

  if (!ClaimSingleInstance()) {
    // Another start got here first: it is bringing its dialog up now.
    for (DWORD waited = 0; waited < kWaitForRunningInstanceMs; waited += kPollMs) {
      if (ActivateRunningInstance(GetMainTitle())) return FALSE;
      Sleep(kPollMs);
    }
    ShowMessage(LoadText(IDS_ALREADY_RUNNING_NO_ANSWER));
    return FALSE;
  }

  // This process joins the desktop before its watcher can: where the first
  // process to ask for the desktop starts the process that keeps it, that
  // keeper would otherwise end with the watcher.
  GetDesktopWindow();
  // Watching before anything can be hidden.
  CWatcher watcher;
  CSwitcherDlg dialog(*this);
  if (agreement == Agreement::kAcceptedNow) dialog.WelcomeNewUser();
  m_pMainWnd = &dialog;
  dialog.DoModal();
  m_pMainWnd = nullptr;
  watcher.Dismiss(GetMainTitle());
  return FALSE;
}

bool CSwitcherApp::ClaimSingleInstance() {
  // "Local\\": one instance per user session, as the title search means it.
  const CString name = "Local\\" + GetMainTitle();
  SetLastError(0);
  m_instanceMutex.Reset(CreateMutexW(nullptr, FALSE, TextToWide(name)));
  // Without the object the title search is all there is, as before.
  if (!m_instanceMutex) return true;
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

CSwitcherApp::Agreement CSwitcherApp::EnsureAgreementAccepted() {
  if (ReadSetting(GetIniPath(), AgreementSection(), setting::kAllowKey, setting::kAllowDefault) == "Y") {
    return Agreement::kAcceptedBefore;
  }
  CAgreementDlg agreement;
  if (agreement.DoModal() != IDOK) return Agreement::kRefused;
  WriteSetting(GetIniPath(), AgreementSection(), setting::kAllowKey, "Y");
  return Agreement::kAcceptedNow;
}
