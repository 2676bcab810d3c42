// The About box: the program's name and version, a mail link on the credit
// line, a web link on the icon, and the news of the vendor's web service,
// fetched afresh each time the box opens. The box opens at once; the news
// follows when the fetch ends, or the failure text at its deadline.
#pragma once

#include <memory>

#include "dialogs/NewsFetch.h"
#include "dialogs/StaticLink.h"
#include "framework/Dialog.h"
#include "framework/String.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  ~CAboutDlg() override;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnTimer(UINT_PTR timerId) override;
  void OnDestroy() override;

 private:
  // The fetch has ended: its news, or the failure text.
  void ShowFetchedNews();
  // Ends the fetch, if it still runs, and shows result's text.
  void EndFetch(int result, const CString& news);

  CStaticLink m_linkMail;
  CStaticLink m_linkWeb;
  std::unique_ptr<CNewsFetch> m_fetch;
};

// The news service's address for this program and version.
CString NewsAddress();
// What the news box says when the service cannot be reached.
CString NewsUnreachableText();
