// CListBox: the list-box calls the program makes, on a control of a dialog
// (attached with DDX_Control). The control stays the dialog's: the object
// only names it.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CListBox : public CWnd {
 public:
  // -1 clears the selection.
  int SetCurSel(int index) { return Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
  void ResetContent() { Send(LB_RESETCONTENT); }
  // A list without strings takes nullptr: its items are their data.
  int InsertString(int index, const char* text) {
    const CStringW wide = TextToWide(text);
    return Send(LB_INSERTSTRING, static_cast<WPARAM>(index), text ? reinterpret_cast<LPARAM>(wide.GetString()) : 0);
  }
  int SetItemData(int index, DWORD_PTR data) { return Send(LB_SETITEMDATA, index, static_cast<LPARAM>(data)); }
  void SetColumnWidth(int width) { Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width)); }

 private:
  int Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return static_cast<int>(::SendMessageW(m_hWnd, message, wParam, lParam));
  }
};
