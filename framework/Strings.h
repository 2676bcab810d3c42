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
inline CStringW FormatText(const CStringW& format, const CStringW& argument) {
  const int blank = format.Find(L"%1");
  if (blank < 0) return format;
  return format.Left(blank) + argument + format.Mid(blank + 2);
}
