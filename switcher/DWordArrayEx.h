// The array the desktops' lists and the menu flags are kept in: a
// CDWordArray that answers 0 outside its bounds and finds values linearly.
#pragma once

#include "framework/Arrays.h"

class CDWordArrayEx : public CDWordArray {
 public:
  DWORD SafeGetAt(int index) const { return (index < 0 || index >= GetSize()) ? 0 : GetAt(index); }

  // The index of the first element equal to value in [start, end), where an
  // end of -1 or beyond the size means the size; -1 when there is none.
  int Find(DWORD value, int start = 0, int end = -1) const {
    if (end < 0 || end > GetSize()) end = GetSize();
    for (int i = start < 0 ? 0 : start; i < end; ++i) {
      if (SafeGetAt(i) == value) return i;
    }
    return -1;
  }
};
