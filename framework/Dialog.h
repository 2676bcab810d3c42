// CDialog: the modal dialog base. A static dialog procedure attaches the
// object to its window at WM_INITDIALOG and forwards every message to the
// virtual WindowProc, which splits messages into the typed handlers below.
// A derived dialog overrides only what it changes; a handler that wants the
// dialog manager's own treatment calls Default(). Every dialog opens
// centred over its owner when that is visible, else on the work area under
// the mouse pointer.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override = default;

  // Runs the dialog modally and returns what EndDialog was given, or -1 when
  // the dialog could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(int result);
  // Moves data between the members and the controls; false when a value
  // failed validation on the way in.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // For dialogs built from a template in memory instead of a resource.
  CDialog();
  BOOL InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* dataExchange);
  // WM_COMMAND; true when handled. The base routes IDOK and IDCANCEL.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // The typed handlers. Each base version hands the message to Default().
  virtual void OnTimer(UINT_PTR timerId);
  virtual void OnSysCommand(UINT command, LPARAM lParam);
  virtual void OnPaint();
  virtual HCURSOR OnQueryDragIcon();
  virtual void OnDestroy();
  // WM_HELP: F1 pressed while the dialog or one of its controls is active.
  virtual void OnHelp(HELPINFO* helpInfo);
  // Owner-drawn controls. WM_MEASUREITEM comes while the controls are being
  // created, before WM_INITDIALOG; the object is attached by then.
  virtual void OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem);
  virtual void OnMeasureItem(int controlId, MEASUREITEMSTRUCT* measureItem);

  // The message map: dispatches to the typed handlers and returns true when
  // the message had one. Derived dialogs add their own entries in front.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CWnd* m_pParentWnd = nullptr;

 private:
  // Hands a control's notification to the object that subclassed the
  // control; true when that object answered it.
  static BOOL ReflectToChild(UINT message, WPARAM wParam, HWND child, LRESULT* result);

  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The object behind window, attaching the one DoModal is creating when the
  // window has none yet.
  static CDialog* ObjectOf(HWND window, UINT message, LPARAM lParam);
  HWND ChooseOwner() const;

  UINT m_templateId = 0;
  const DLGTEMPLATE* m_pTemplate = nullptr;
  // Cleared when a message goes to DefWindowProc, so that the dialog manager
  // treats it as unhandled.
  bool m_bHandled = true;
};

// Data exchange between a dialog's members and its controls.
class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

  // Names the control that gets the focus when validation fails.
  HWND PrepareCtrl(int id);
  // Marks the exchange as failed; the focus goes to the prepared control.
  void Fail();

  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
  bool m_bFailed = false;
  HWND m_hWndLastControl = nullptr;
};
