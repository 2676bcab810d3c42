#include "framework/Wnd.h"

#include "framework/WinApp.h"

namespace {

// The window property that leads from a subclassed window to its object.
constexpr wchar_t kObjectProperty[] = L"Panorel.CWnd";

}  // namespace

CWnd::~CWnd() {
  if (m_pfnSuper) UnsubclassWindow();
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!window || m_hWnd || FromHandlePermanent(window)) return FALSE;
  if (!::SetPropW(window, kObjectProperty, reinterpret_cast<HANDLE>(this))) return FALSE;
  m_hWnd = window;
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent && SubclassWindow(::GetDlgItem(parent->GetSafeHwnd(), static_cast<int>(id)));
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
  return window ? reinterpret_cast<CWnd*>(::GetPropW(window, kObjectProperty)) : nullptr;
}

void CWnd::UnsubclassWindow() {
  ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  ::RemovePropW(m_hWnd, kObjectProperty);
  m_pfnSuper = nullptr;
  m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandlePermanent(window);
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message != WM_NCDESTROY) return self->DispatchMessageToObject(message, wParam, lParam);
  // The last message: the object lets go first, so that the control's own
  // procedure finishes without us, and an object that deletes itself in
  // PostNcDestroy is not touched again.
  const WNDPROC super = self->m_pfnSuper;
  self->UnsubclassWindow();
  const LRESULT result = ::CallWindowProcW(super, window, message, wParam, lParam);
  self->PostNcDestroy();
  return result;
}

namespace {

CString WindowTextOf(HWND window) {
  CStringW text;
  const int length = ::GetWindowTextLengthW(window);
  text.ReleaseBuffer(::GetWindowTextW(window, text.GetBuffer(length + 1), length + 1));
  return WideToText(text, text.GetLength());
}

}  // namespace

CString CWnd::GetWindowText() const { return WindowTextOf(m_hWnd); }

CString CWnd::GetDlgItemText(int id) const { return WindowTextOf(GetDlgItem(id)); }

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
  return ::MessageBoxW(m_hWnd, TextToWide(text), TextToWide(caption ? caption : AfxGetAppName()), type);
}

int CWnd::MessageBox(const CStringW& text, const char* caption, UINT type) {
  return ::MessageBoxW(m_hWnd, text, TextToWide(caption ? caption : AfxGetAppName()), type);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

LRESULT CWnd::DispatchMessageToObject(UINT message, WPARAM wParam, LPARAM lParam) {
  const CurrentMessage outer = m_current;
  m_current = {message, wParam, lParam};
  const LRESULT result = WindowProc(message, wParam, lParam);
  m_current = outer;
  return result;
}
