#include "dialogs/AboutDlg.h"

#include "dialogs/FetchUrlText.h"
#include "framework/Strings.h"
#include "res/AboutDlgIds.h"
#include "res/Product.h"
#include "res/ProductTexts.h"
#include "res/StringIds.h"

CString NewsAddress() {
  return "http://" + GetVendorHost() + "/swiftpaw/swiftpaw.asp?exe=PANOREL&ver=" + GetVersionText() + "&ask=wnew";
}

CString NewsUnreachableText() {
  return LoadText(IDS_NEWS_CONNECT_FAILED_BEFORE_HOST) + GetVendorHost() + LoadText(IDS_NEWS_CONNECT_FAILED_AFTER_HOST);
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX), m_linkMail(nullptr, FALSE), m_linkWeb(nullptr, FALSE) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_linkMail.SubclassDlgItem(IDC_STATIC_MAIL, this);
  m_linkWeb.SubclassDlgItem(IDC_STATIC_WEB, this);
  m_linkMail.m_target.m_strTarget = "mailto:" PANOREL_VENDOR_MAIL;
  m_linkWeb.m_target.m_strTarget = PANOREL_VENDOR_SITE;

  // The box shows only once the fetch has ended, one way or the other.
  CString news;
  if (FetchUrlText(NewsAddress(), news, "PANOREL") < 0) news = NewsUnreachableText();
  SetDlgItemText(IDC_EDIT_NEWS, news);
  // The news can be selected and copied, not edited.
  SendDlgItemMessage(IDC_EDIT_NEWS, EM_SETREADONLY, TRUE);
  return TRUE;
}
