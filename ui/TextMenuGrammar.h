// How a text menu reads its strings. One string is one entry:
//   "caption"           a command item ("&" accelerators included);
//   "caption\r\nN"      N > 0: a submenu header whose contents are the next N
//                       entries at the next level;
//   "anything\r\nN"     N <= 0, or no number at all: a separator.
// Only the first CR LF counts; N is read as atol reads numbers.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "switcher/DWordArrayEx.h"

// Command id of the string at list index k: IDM_TEXTMENU_FIRST + k.
constexpr UINT IDM_TEXTMENU_FIRST = 10000;

struct TextMenuEntry {
  enum Kind { kItem, kSeparator, kSubmenu };
  Kind kind = kItem;
  CString caption;
  // Entries at the submenu's own level; only for kSubmenu.
  long submenuCount = 0;
};

TextMenuEntry ReadTextMenuEntry(const CString& text);

// MF_CHECKED and MF_GRAYED for the entry at index; either array may be null,
// and an index past its end reads as 0.
UINT TextMenuItemFlags(int index, const CDWordArrayEx* checked, const CDWordArrayEx* grayed);
