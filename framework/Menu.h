// CMenu: a menu handle seen from C++. The object owns its handle: a menu still
// attached when the object goes is destroyed with it. While attached, the
// framework can find the object again from the handle (FromHandlePermanent),
// so code that walks a menu tree can reach the objects behind its submenus.
#pragma once

#include <windows.h>

class CWnd;

class CMenu {
 public:
  CMenu() = default;
  ~CMenu();
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU GetSafeHmenu() const { return m_hMenu; }

  BOOL CreatePopupMenu();
  // Destroys the menu (and, as the platform does, every submenu in it).
  BOOL DestroyMenu();

  // idOrSubmenu is a command id, or the submenu's handle with MF_POPUP.
  // With MF_BYPOSITION, a position of -1 appends.
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubmenu = 0, const char* text = nullptr);
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
  HMENU GetSubMenu(int position) const { return ::GetSubMenu(m_hMenu, position); }

  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* excluded = nullptr);

  // The object attached to menu, or null when no CMenu holds it.
  static CMenu* FromHandlePermanent(HMENU menu);

 private:
  // Takes ownership of menu; false when the object already holds one.
  BOOL Attach(HMENU menu);
  // Gives up ownership without destroying the menu.
  HMENU Detach();

  HMENU m_hMenu = nullptr;
};
