// The application object: start-up, the single-instance rule, the usage
// agreement, and the running of the main dialog.
#pragma once

#include "framework/Handles.h"
#include "framework/WinApp.h"
#include "settings/AppContext.h"

class CSwitcherApp : public CWinApp, public CAppContext {
 public:
  CSwitcherApp();
  ~CSwitcherApp() override;

  BOOL InitInstance() override;

  // The settings file; chosen once it is known, chosen again while empty.
  CStringW GetIniPath() override;
  // "Panorel - " and the vendor's host: the main dialog's caption, the key of
  // the single-instance rule and the default tooltip.
  CString GetMainTitle() const override;

  CStringW m_strIniPath;

 private:
  enum class Agreement { kRefused, kAcceptedBefore, kAcceptedNow };
  // Asks for the agreement unless this user accepted it before.
  Agreement EnsureAgreementAccepted();
  // The title search can be passed by two starts at the same instant; the
  // named object cannot. False when another start holds it already.
  bool ClaimSingleInstance();

  // Held for the life of the process: this session's one running instance.
  CKernelHandle m_instanceMutex;
};

extern CSwitcherApp theApp;
