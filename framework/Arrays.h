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
  int GetCount() const { return GetSize(); }
  bool IsEmpty() const { return m_items.empty(); }
  // Index-checked by the caller, as the platform's own arrays are.
  const T& GetAt(int index) const { return m_items[static_cast<size_t>(index)]; }
  T& ElementAt(int index) { return m_items[static_cast<size_t>(index)]; }
  const T& operator[](int index) const { return GetAt(index); }
  T& operator[](int index) { return ElementAt(index); }
  void SetAt(int index, const T& value) { m_items[static_cast<size_t>(index)] = value; }

  // Sets the element at index, growing the array when index lies past its end.
  void SetAtGrow(int index, const T& value) {
    if (index >= GetSize()) m_items.resize(static_cast<size_t>(index) + 1);
    m_items[static_cast<size_t>(index)] = value;
  }
  int Add(const T& value) {
    const int index = GetSize();
    SetAtGrow(index, value);
    return index;
  }
  void RemoveAt(int index) { m_items.erase(m_items.begin() + index); }
  void SetSize(int size) { m_items.resize(size > 0 ? static_cast<size_t>(size) : 0); }
  void RemoveAll() { m_items.clear(); }

 private:
  std::vector<T> m_items;
};

class CDWordArray : public CTypedArray<DWORD> {};
class CStringArray : public CTypedArray<CString> {};
