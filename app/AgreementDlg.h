// The usage agreement, shown once per user and computer before the first run.
#pragma once

#include "framework/Dialog.h"

class CAgreementDlg : public CDialog {
 public:
  explicit CAgreementDlg(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* dataExchange) override;
  BOOL OnInitDialog() override;
};
