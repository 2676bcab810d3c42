// The growable arrays of the framework: CDWordArray for 32-bit values (window
// handles, flags) and CStringArray for texts.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"

template <typename T>
class CTypedArray {
 public:
  int GetSize() const { return static_cast<int>(m_items.size()); }
  bool IsEmpty() const { return m_items.empty(); }
  // Index-checked by the caller, as the platform's own arrays are.
  const T& GetAt(int index) const { return m_items[static_cast<size_t>(index)]; }
  const T& operator[](int index) const { return GetAt(index); }
  T& operator[](int index) { return m_items[static_cast<size_t>(index)]; }

  int Add(const T& value) {
    m_items.push_back(value);
    return GetSize() - 1;
  }
  void RemoveAt(int index) { m_items.erase(m_items.begin() + index); }

 private:
  std::vector<T> m_items;
};

class CDWordArray : public CTypedArray<DWORD> {};
class CStringArray : public CTypedArray<CString> {};
