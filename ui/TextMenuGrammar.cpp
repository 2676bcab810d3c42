#include "ui/TextMenuGrammar.h"

#include <cstdlib>

TextMenuEntry ReadTextMenuEntry(const CString& text) {
  TextMenuEntry entry;
  const int lineBreak = text.Find("\r\n");
  if (lineBreak < 0) {
    entry.caption = text;
    return entry;
  }
  // strtol reads like atol but saturates instead of overflowing.
  const long count = std::strtol(text.Mid(lineBreak + 2), nullptr, 10);
  if (count <= 0) {
    entry.kind = TextMenuEntry::kSeparator;
    return entry;
  }
  entry.kind = TextMenuEntry::kSubmenu;
  entry.caption = text.Left(lineBreak);
  entry.submenuCount = count;
  return entry;
}

UINT TextMenuItemFlags(int index, const CDWordArrayEx* checked, const CDWordArrayEx* grayed) {
  UINT flags = MF_STRING;
  if (checked && checked->SafeGetAt(index)) flags |= MF_CHECKED;
  if (grayed && grayed->SafeGetAt(index)) flags |= MF_GRAYED;
  return flags;
}
