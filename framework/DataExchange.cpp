#include "framework/DataExchange.h"

void DDX_Control(CDataExchange* dataExchange, int id, CWnd& control) {
  // Re-attached on every exchange: a dialog object can run more than once,
  // and each run has new controls.
  control.Attach(dataExchange->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* dataExchange, int id, CString& value) {
  HWND control = dataExchange->PrepareCtrl(id);
  if (dataExchange->m_bSaveAndValidate) {
    const int length = ::GetWindowTextLengthA(control);
    ::GetWindowTextA(control, value.GetBuffer(length + 1), length + 1);
    value.ReleaseBuffer();
  } else {
    ::SetWindowTextA(control, value);
  }
}

void DDX_LBIndex(CDataExchange* dataExchange, int id, int& index) {
  HWND control = dataExchange->PrepareCtrl(id);
  if (dataExchange->m_bSaveAndValidate) {
    index = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}
