// The About box: the program's name and version, a mail link on the credit
// line, a web link on the icon, and the news of the vendor's web service,
// fetched afresh each time the box opens.
#pragma once

#include "dialogs/StaticLink.h"
#include "framework/Dialog.h"
#include "framework/String.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();

 protected:
  BOOL OnInitDialog() override;

 private:
  CStaticLink m_linkMail;
  CStaticLink m_linkWeb;
};

// The news service's address for this program and version.
CString NewsAddress();
// What the news box says when the service cannot be reached.
CString NewsUnreachableText();
