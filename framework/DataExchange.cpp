#include "framework/DataExchange.h"

void DDX_Control(CDataExchange* dataExchange, int id, CWnd& control) {
  // Re-attached on every exchange: a dialog object can run more than once,
  // and each run has new controls.
  control.Attach(dataExchange->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* dataExchange, int id, CString& value) {
  CStringW text = TextToWide(value);
  DDX_Text(dataExchange, id, text);
  if (dataExchange->m_bSaveAndValidate) value = WideToText(text, text.GetLength());
}

void DDX_Text(CDataExchange* dataExchange, int id, CStringW& value) {
  HWND control = dataExchange->PrepareCtrl(id);
  if (dataExchange->m_bSaveAndValidate) {
    const int length = ::GetWindowTextLengthW(control);
    value.ReleaseBuffer(::GetWindowTextW(control, value.GetBuffer(length + 1), length + 1));
  } else {
    ::SetWindowTextW(control, value);
  }
}

void DDX_LBIndex(CDataExchange* dataExchange, int id, int& index) {
  HWND control = dataExchange->PrepareCtrl(id);
  if (dataExchange->m_bSaveAndValidate) {
    index = static_cast<int>(::SendMessageW(control, LB_GETCURSEL, 0, 0));
  } else {
    ::SendMessageW(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}
