// Dialog data exchange: each helper moves one value between a dialog member
// and a control, towards the control or (when saving) back from it.
#pragma once

#include "framework/Dialog.h"
#include "framework/String.h"
#include "framework/Wnd.h"

// Names control id with the object control for the dialog's lifetime.
void DDX_Control(CDataExchange* dataExchange, int id, CWnd& control);
// The control's window text.
void DDX_Text(CDataExchange* dataExchange, int id, CString& value);
void DDX_Text(CDataExchange* dataExchange, int id, CStringW& value);
// A list box's selected index; -1 for none.
void DDX_LBIndex(CDataExchange* dataExchange, int id, int& index);
