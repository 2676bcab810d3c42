#include "dialogs/StaticLink.h"

#include <shellapi.h>

#include "framework/WideString.h"

namespace {

constexpr UINT kLeaveCheckMs = 100;

// Text statics are exactly SS_LEFT, SS_CENTER and SS_RIGHT in the low style
// byte; anything else there (an icon, a flag such as SS_NOPREFIX) keeps the
// parent's colours.
bool IsTextStatic(DWORD style) { return (style & 0xFF) <= SS_RIGHT; }

}  // namespace

HINSTANCE CLinkTarget::Open() const {
  if (m_strTarget.IsEmpty()) return nullptr;
  return ::ShellExecuteW(nullptr, L"open", TextToWide(m_strTarget), nullptr, nullptr, SW_SHOWNORMAL);
}

CStaticLink::CStaticLink(const char* target, BOOL autoDelete) : m_target(target), m_bAutoDelete(autoDelete) {}

LRESULT CStaticLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      return OnNcHitTest();
    case WM_REFLECT_BASE + WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(wParam)));
    case WM_LBUTTONDOWN:
      OnLButtonDown();
      return 0;
    case WM_TIMER:
      OnTimer();
      return Default();
    case WM_SETCURSOR:
      return OnSetCursor();
    default:
      return Default();
  }
}

void CStaticLink::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

void CStaticLink::OnOpenFailed() { ::MessageBeep(0); }

void CStaticLink::SetTextColour(COLORREF colour) {
  m_crText = colour;
  Invalidate(TRUE);
}

LRESULT CStaticLink::OnNcHitTest() {
  if (!m_bHovering) {
    m_bHovering = TRUE;
    SetTextColour(g_crLinkHover);
    SetTimer(m_nHoverTimer, kLeaveCheckMs);
  }
  return HTCLIENT;
}

void CStaticLink::OnTimer() {
  const DWORD position = ::GetMessagePos();
  POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ::ScreenToClient(m_hWnd, &point);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  if (::PtInRect(&client, point)) return;
  m_bHovering = FALSE;
  KillTimer(m_nHoverTimer);
  SetTextColour(g_crLinkNormal);
}

HBRUSH CStaticLink::CtlColor(HDC dc) {
  if (!IsTextStatic(GetStyle())) return nullptr;
  if (!m_fontLink) {
    // The link keeps the control's font exactly; the colour alone marks it.
    // A control without a font of its own leaves the description zeroed,
    // which makes the system's default font.
    LOGFONTW font = {};
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)), sizeof font, &font);
    m_fontLink.Reset(::CreateFontIndirectW(&font));
  }
  ::SelectObject(dc, m_fontLink.Get());
  ::SetTextColor(dc, m_crText);
  ::SetBkMode(dc, TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

CString CStaticLink::FindTarget() const {
  CString target;
  if (target.LoadString(static_cast<UINT>(GetDlgCtrlID()))) return target;
  return GetWindowText();
}

void CStaticLink::OnLButtonDown() {
  if (m_target.m_strTarget.IsEmpty()) m_target.m_strTarget = FindTarget();
  if (m_target.m_strTarget.IsEmpty()) return;
  const INT_PTR result = reinterpret_cast<INT_PTR>(m_target.Open());
  if (result <= 32) {
    OnOpenFailed();
    return;
  }
  // The clicked colour stays until the leave check finds the pointer gone.
  SetTextColour(g_crLinkClicked);
}

BOOL CStaticLink::OnSetCursor() {
  // The system's own hand: a shared cursor, never destroyed, and no other
  // program's file loaded into this process to borrow one.
  HCURSOR hand = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND
  if (!hand) return FALSE;
  ::SetCursor(hand);
  return TRUE;
}
