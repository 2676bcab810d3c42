#include "framework/Menu.h"

#include <map>

#include "framework/WideString.h"
#include "framework/Wnd.h"

namespace {

// The handles that have an object of ours. Menus belong to the thread that
// made them, and the program makes all of them on its one UI thread.
std::map<HMENU, CMenu*>& PermanentMenus() {
  static std::map<HMENU, CMenu*> menus;
  return menus;
}

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::Attach(HMENU menu) {
  if (m_hMenu || !menu) return FALSE;
  m_hMenu = menu;
  PermanentMenus()[menu] = this;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  if (menu) PermanentMenus().erase(menu);
  m_hMenu = nullptr;
  return menu;
}

BOOL CMenu::DestroyMenu() {
  HMENU menu = Detach();
  return menu ? ::DestroyMenu(menu) : FALSE;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubmenu, const char* text) {
  // Only string items carry a text; for the others text says nothing.
  const bool hasText = (flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) == 0 && text;
  return ::InsertMenuW(m_hMenu, position, flags, idOrSubmenu, hasText ? TextToWide(text).GetString() : nullptr);
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* excluded) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, excluded);
}

CMenu* CMenu::FromHandlePermanent(HMENU menu) {
  const auto found = PermanentMenus().find(menu);
  return found == PermanentMenus().end() ? nullptr : found->second;
}
