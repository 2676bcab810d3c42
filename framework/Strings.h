// Loading the program's own texts from its string table.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "framework/WideString.h"

inline CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// The text with its first "%1" replaced by argument, as the program's
// messages with one blank in them are written.
inline CString FormatText(const CString& format, const char* argument) {
  const int blank = format.Find("%1");
  if (blank < 0) return format;
  return format.Left(blank) + argument + format.Mid(blank + 2);
}
// The same with a second blank, "%2", for second. Both blanks are found in
// the format itself, so that an argument's text is never taken for one.
inline CString FormatText(const CString& format, const char* first, const char* second) {
  const int firstBlank = format.Find("%1");
  const int secondBlank = format.Find("%2");
  if (firstBlank < 0 || secondBlank < 0) return FormatText(format, first);
  const bool inOrder = firstBlank < secondBlank;
  const int earlier = inOrder ? firstBlank : secondBlank;
  const int later = inOrder ? secondBlank : firstBlank;
  return format.Left(earlier) + (inOrder ? first : second) + format.Mid(earlier + 2, later - earlier - 2) +
         (inOrder ? second : first) + format.Mid(later + 2);
}
inline CStringW FormatText(const CStringW& format, const CStringW& argument) {
  const int blank = format.Find(L"%1");
  if (blank < 0) return format;
  return format.Left(blank) + argument + format.Mid(blank + 2);
}
