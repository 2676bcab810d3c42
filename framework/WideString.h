// CStringW: the counted UTF-16 string of the platform's wide calls. Paths live
// in it from end to end (a folder may be named in any script), and every text
// the user sees passes through it on its way to the screen.
//
// The program's own texts (CString) are code page 936 bytes on every system,
// whatever its code page: TextToWide and WideToText are where the two meet.
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"

class CStringW {
 public:
  CStringW() = default;
  CStringW(const wchar_t* text) : m_text(text ? text : L"") {}  // NOLINT: implicit like the platform's strings
  CStringW(const wchar_t* text, int length) : m_text(text, static_cast<size_t>(length)) {}

  int GetLength() const { return static_cast<int>(m_text.size()); }
  bool IsEmpty() const { return m_text.empty(); }
  const wchar_t* GetString() const { return m_text.c_str(); }
  operator const wchar_t*() const { return m_text.c_str(); }  // NOLINT: passes straight to the W calls

  CStringW& operator+=(const CStringW& other) {
    m_text += other.m_text;
    return *this;
  }
  friend CStringW operator+(CStringW a, const CStringW& b) { return a += b; }
  friend bool operator==(const CStringW& a, const CStringW& b) { return a.m_text == b.m_text; }
  friend bool operator!=(const CStringW& a, const CStringW& b) { return !(a == b); }
  friend bool operator==(const CStringW& a, const wchar_t* b) { return a.m_text == (b ? b : L""); }
  friend bool operator!=(const CStringW& a, const wchar_t* b) { return !(a == b); }

  // Index of the first sub, or -1.
  int Find(const wchar_t* sub) const;
  // Index of the last ch, or -1.
  int ReverseFind(wchar_t ch) const;
  CStringW Left(int count) const;
  CStringW Mid(int first) const;
  CStringW Right(int count) const;
  int CompareNoCase(const wchar_t* other) const { return ::lstrcmpiW(m_text.c_str(), other); }

  // Direct access for the platform calls that fill a caller's buffer.
  wchar_t* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

 private:
  std::wstring m_text;
};

constexpr UINT kTextCodePage = 936;

// Code page 936 bytes as UTF-16.
CStringW TextToWide(const char* text, int length = -1);
inline CStringW TextToWide(const CString& text) { return TextToWide(text.GetString(), text.GetLength()); }
// UTF-16 as code page 936 bytes; a character the code page cannot hold
// becomes '?'.
CString WideToText(const wchar_t* text, int length = -1);
