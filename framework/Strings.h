// Loading the program's own texts from its string table.
#pragma once

#include <windows.h>

#include "framework/String.h"

inline CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}
