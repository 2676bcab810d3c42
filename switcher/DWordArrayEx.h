// switcher/DWordArrayEx.h
#pragma once
#include "framework/Arrays.h"
// A CDWordArray that answers 0 outside its bounds and finds values linearly.
class CDWordArrayEx : public CDWordArray {
 public:
  DWORD SafeGetAt(int index) const { return (index < 0 || index >= GetSize()) ? 0 : GetAt(index); }
  int Find(DWORD value, int start = 0, int end = -1) const {
    if (end < 0 || end > GetSize()) end = GetSize();
    for (int i = start < 0 ? 0 : start; i < end; ++i) if (SafeGetAt(i) == value) return i;
    return -1;
  }
};
