// The item list of a text menu: a CStringArray that answers "" outside its
// bounds.
#pragma once

#include "framework/Arrays.h"

class CStringArrayEx : public CStringArray {
 public:
  CString SafeGetAt(int index) const { return (index < 0 || index >= GetSize()) ? CString() : GetAt(index); }
};
