#include "dialogs/AboutDlg.h"

#include "dialogs/FetchUrlText.h"
#include "framework/Strings.h"
#include "res/AboutDlgIds.h"
#include "res/Product.h"
#include "res/ProductTexts.h"
#include "res/StringIds.h"

namespace {

constexpr UINT WM_NEWS_FETCHED = WM_APP + 1;
constexpr UINT_PTR kNewsDeadlineTimer = 1;
// The fetch keeps its own deadline; this one, a little later, holds even
// when the fetch is stuck where no deadline reaches (a name lookup).
constexpr UINT kNewsDeadlineMs = kFetchDeadlineMs + 1000;

}  // namespace

CString NewsAddress() {
  return "http://" + GetVendorHost() + "/swiftpaw/swiftpaw.asp?exe=PANOREL&ver=" + GetVersionText() + "&ask=wnew";
}

CString NewsUnreachableText() {
  return LoadText(IDS_NEWS_CONNECT_FAILED_BEFORE_HOST) + GetVendorHost() + LoadText(IDS_NEWS_CONNECT_FAILED_AFTER_HOST);
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX), m_linkMail(nullptr, FALSE), m_linkWeb(nullptr, FALSE) {}

CAboutDlg::~CAboutDlg() = default;

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_linkMail.SubclassDlgItem(IDC_STATIC_MAIL, this);
  m_linkWeb.SubclassDlgItem(IDC_STATIC_WEB, this);
  m_linkMail.m_target.m_strTarget = "mailto:" PANOREL_VENDOR_MAIL;
  m_linkWeb.m_target.m_strTarget = PANOREL_VENDOR_SITE;

  SetDlgItemText(IDC_EDIT_NEWS, LoadText(IDS_NEWS_FETCHING));
  // The news can be selected and copied, not edited.
  SendDlgItemMessage(IDC_EDIT_NEWS, EM_SETREADONLY, TRUE);
  m_fetch = std::make_unique<CNewsFetch>(GetSafeHwnd(), WM_NEWS_FETCHED, NewsAddress(), "PANOREL");
  SetTimer(kNewsDeadlineTimer, kNewsDeadlineMs);
  return TRUE;
}

BOOL CAboutDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_NEWS_FETCHED) return CDialog::OnWndMsg(message, wParam, lParam, result);
  ShowFetchedNews();
  *result = 0;
  return TRUE;
}

void CAboutDlg::ShowFetchedNews() {
  if (!m_fetch) return;
  CString news;
  const int result = m_fetch->Result(&news);
  EndFetch(result, news);
}

void CAboutDlg::OnTimer(UINT_PTR timerId) {
  if (timerId != kNewsDeadlineTimer) return CDialog::OnTimer(timerId);
  if (m_fetch) EndFetch(kFetchFailed, CString());
}

void CAboutDlg::EndFetch(int result, const CString& news) {
  KillTimer(kNewsDeadlineTimer);
  m_fetch.reset();
  // A status other than 200 leaves the box empty.
  if (result < 0) {
    SetDlgItemText(IDC_EDIT_NEWS, NewsUnreachableText());
  } else {
    SetDlgItemText(IDC_EDIT_NEWS, result == 0 ? news : CString());
  }
}

void CAboutDlg::OnDestroy() {
  // Closed before the news came: the fetch is abandoned, and nothing is
  // written into the closed box.
  m_fetch.reset();
  CDialog::OnDestroy();
}
