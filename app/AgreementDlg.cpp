#include "app/AgreementDlg.h"

#include "framework/Strings.h"
#include "res/AgreementDlgIds.h"
#include "res/StringIds.h"

CAgreementDlg::CAgreementDlg(CWnd* parent) : CDialog(IDD_AGREEMENT_DIALOG, parent) {}

void CAgreementDlg::DoDataExchange(CDataExchange*) {}

BOOL CAgreementDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (GetDlgItem(IDC_EDIT_AGREEMENT)) {
    SetDlgItemText(IDC_EDIT_AGREEMENT, LoadText(IDS_AGREEMENT_TEXT));
    // The text is there to be read (and copied), not edited.
    SendDlgItemMessage(IDC_EDIT_AGREEMENT, EM_SETREADONLY, TRUE);
  }
  return TRUE;  // the focus goes to the first tab stop, "Yes"
}
