// A static control of a dialog made into a link: text in link colours on the
// parent's background, red while the pointer is over it, the hand cursor,
// and a left click that asks the shell to open the target (a web address, a
// "mailto:" address or anything else the shell opens). Icon statics keep
// their look but behave the same.
#pragma once

#include <windows.h>

#include "framework/Handles.h"
#include "framework/Static.h"
#include "framework/String.h"

constexpr COLORREF g_crLinkNormal = RGB(0, 0, 255);
constexpr COLORREF g_crLinkHover = RGB(255, 0, 0);
constexpr COLORREF g_crLinkClicked = RGB(128, 0, 128);

// What a link opens.
class CLinkTarget {
 public:
  explicit CLinkTarget(const char* target = nullptr) : m_strTarget(target) {}
  virtual ~CLinkTarget() = default;

  // Hands the target to the shell; above 32 means it was opened. An empty
  // target opens nothing and gives null.
  virtual HINSTANCE Open() const;

  CString m_strTarget;
};

class CStaticLink : public CStatic {
 public:
  // target may be null: the link then looks for its target at the first
  // click. With autoDelete the object deletes itself after its window's last
  // message; otherwise its owner does.
  explicit CStaticLink(const char* target = nullptr, BOOL autoDelete = FALSE);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CLinkTarget m_target;

 protected:
  void PostNcDestroy() override;
  // The shell could not open the target.
  virtual void OnOpenFailed();

 private:
  // The pointer is over the control: hover colour, and the leave check runs.
  LRESULT OnNcHitTest();
  // The leave check, polled because statics get no mouse-leave message.
  void OnTimer();
  // The parent's colour request for this control, handed back to it.
  HBRUSH CtlColor(HDC dc);
  void OnLButtonDown();
  BOOL OnSetCursor();

  // The string resource named by the control's id, else its window text.
  CString FindTarget() const;
  void SetTextColour(COLORREF colour);

  COLORREF m_crText = g_crLinkNormal;
  CGdiObject<HFONT> m_fontLink;
  BOOL m_bAutoDelete;
  BOOL m_bHovering = FALSE;
  UINT m_nHoverTimer = 1;
};
