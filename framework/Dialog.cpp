#include "framework/Dialog.h"

#include "framework/ResourceLanguage.h"
#include "framework/WinApp.h"
#include "framework/WindowPlacement.h"

namespace {

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

// The dialog DoModal is creating on this thread. The dialog manager passes
// the object only with WM_INITDIALOG, but the window gets messages before it
// (WM_SETFONT, WM_MEASUREITEM from its controls); the first of them claims
// the object from here.
thread_local CDialog* t_pDialogBeingCreated = nullptr;

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

CDialog::CDialog() = default;

BOOL CDialog::InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent) {
  m_pTemplate = dialogTemplate;
  m_pParentWnd = parent;
  return dialogTemplate != nullptr;
}

HWND CDialog::ChooseOwner() const {
  // Like any modal dialog without a parent, it is owned (and its owner
  // disabled) by the application's main window, once that exists.
  if (m_pParentWnd) return m_pParentWnd->GetSafeHwnd();
  CWnd* mainWnd = AfxGetMainWnd();
  if (!mainWnd || mainWnd == this || !::IsWindow(mainWnd->GetSafeHwnd())) return nullptr;
  return mainWnd->GetSafeHwnd();
}

INT_PTR CDialog::DoModal() {
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  HWND owner = ChooseOwner();
  t_pDialogBeingCreated = this;
  // A template of the resources is taken in the program's chosen language.
  const DLGTEMPLATE* dialogTemplate = m_pTemplate;
  if (!dialogTemplate) {
    dialogTemplate = static_cast<const DLGTEMPLATE*>(
        AfxLoadResource(AfxGetResourceHandle(), kDialogResourceType, MAKEINTRESOURCEW(m_templateId)));
  }
  const INT_PTR result =
      dialogTemplate ? ::DialogBoxIndirectParamW(AfxGetResourceHandle(), dialogTemplate, owner, DialogProc, self) : -1;
  // Unclaimed when the template could not be loaded.
  if (t_pDialogBeingCreated == this) t_pDialogBeingCreated = nullptr;
  return result;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  DoDataExchange(&exchange);
  return !exchange.m_bFailed;
}

CDialog* CDialog::ObjectOf(HWND window, UINT message, LPARAM lParam) {
  auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (!self && message == WM_INITDIALOG) self = reinterpret_cast<CDialog*>(lParam);
  if (!self) self = t_pDialogBeingCreated;
  if (!self) return nullptr;
  if (self == t_pDialogBeingCreated) t_pDialogBeingCreated = nullptr;
  if (!::GetWindowLongPtrW(window, DWLP_USER)) {
    ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    self->Attach(window);
  }
  return self;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* self = ObjectOf(window, message, lParam);
  if (!self) return FALSE;

  const bool outerHandled = self->m_bHandled;
  self->m_bHandled = true;
  const LRESULT result = self->DispatchMessageToObject(message, wParam, lParam);
  const bool handled = self->m_bHandled;
  self->m_bHandled = outerHandled;

  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, DWLP_USER, 0);
    self->Detach();
  }
  if (!handled) return FALSE;
  if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
  ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnWndMsg(message, wParam, lParam, &result)) return result;
  return Default();
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) {
  m_bHandled = false;
  return 0;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_INITDIALOG:
      // Before OnInitDialog, so that a dialog that wants another place can
      // still move itself there.
      CenterWindow(m_hWnd, ::GetWindow(m_hWnd, GW_OWNER));
      *result = OnInitDialog();
      return TRUE;
    case WM_COMMAND:
      if (!OnCommand(wParam, lParam)) *result = Default();
      return TRUE;
    case WM_TIMER:
      OnTimer(wParam);
      return TRUE;
    case WM_SYSCOMMAND:
      OnSysCommand(static_cast<UINT>(wParam), lParam);
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_QUERYDRAGICON:
      *result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    case WM_HELP:
      OnHelp(reinterpret_cast<HELPINFO*>(lParam));
      *result = TRUE;
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return ReflectToChild(message, wParam, reinterpret_cast<HWND>(lParam), result);
    case WM_DRAWITEM:
      OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      *result = TRUE;
      return TRUE;
    case WM_MEASUREITEM:
      OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      *result = TRUE;
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CDialog::ReflectToChild(UINT message, WPARAM wParam, HWND child, LRESULT* result) {
  if (!CWnd::FromHandlePermanent(child)) return FALSE;
  *result = ::SendMessageW(child, WM_REFLECT_BASE + message, wParam, reinterpret_cast<LPARAM>(child));
  return *result != 0;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
  // Only button clicks, menu and accelerator commands carry a code of 0 or 1.
  if (HIWORD(wParam) > 1) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
    default:
      return FALSE;
  }
}

void CDialog::OnTimer(UINT_PTR) { Default(); }

void CDialog::OnSysCommand(UINT, LPARAM) { Default(); }

void CDialog::OnPaint() { Default(); }

HCURSOR CDialog::OnQueryDragIcon() {
  Default();
  return nullptr;
}

void CDialog::OnDestroy() { Default(); }

void CDialog::OnHelp(HELPINFO*) { Default(); }

void CDialog::OnDrawItem(int, DRAWITEMSTRUCT*) { Default(); }

void CDialog::OnMeasureItem(int, MEASUREITEMSTRUCT*) { Default(); }

HWND CDataExchange::PrepareCtrl(int id) {
  m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
  return m_hWndLastControl;
}

void CDataExchange::Fail() {
  m_bFailed = true;
  if (m_hWndLastControl) ::SetFocus(m_hWndLastControl);
}
