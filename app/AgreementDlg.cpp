#include "app/AgreementDlg.h"

#include "framework/Strings.h"
#include "res/AgreementDlgIds.h"
#include "res/StringIds.h"

CAgreementDlg::CAgreementDlg(CWnd* parent) : CDialog(IDD_AGREEMENT_DIALOG, parent) {}

void CAgreementDlg::DoDataExchange(CDataExchange*) {}

BOOL CAgreementDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (GetDlgItem(IDC_EDIT_AGREEMENT)) SetDlgItemText(IDC_EDIT_AGREEMENT, LoadText(IDS_AGREEMENT_TEXT));
  return TRUE;  // the focus goes to the first tab stop, "Yes"
}
