// The application object: start-up, the single-instance rule, the usage
// agreement, and the running of the main dialog.
#pragma once

#include "framework/WinApp.h"
#include "settings/AppContext.h"

class CSwitcherApp : public CWinApp, public CAppContext {
 public:
  CSwitcherApp();
  ~CSwitcherApp() override;

  BOOL InitInstance() override;

  // The settings file; computed once it is known, recomputed while empty.
  CString GetIniPath() override;
  // "Panorel - " and the vendor's host: the main dialog's caption, the key of
  // the single-instance rule and the default tooltip.
  CString GetMainTitle() const override;

  CString m_strIniPath;

 private:
  // False when the user refused the agreement.
  bool EnsureAgreementAccepted();
};

extern CSwitcherApp theApp;
