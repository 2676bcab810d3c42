// CString: the counted 8-bit string every text of the program travels in.
// Texts are code page 936 bytes on every system, whatever the system's own
// code page (framework/WideString.h converts them for the wide calls), so
// the searches and the trim step over its double-byte characters.
#pragma once

#include <windows.h>

#include <string>

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_text(text ? text : "") {}  // NOLINT: implicit like the platform's strings
  CString(const char* text, int length) : m_text(text, static_cast<size_t>(length)) {}

  int GetLength() const { return static_cast<int>(m_text.size()); }
  bool IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  const char* GetString() const { return m_text.c_str(); }
  operator const char*() const { return m_text.c_str(); }  // NOLINT: implicit like the platform's strings
  char GetAt(int index) const { return m_text[static_cast<size_t>(index)]; }

  CString& operator=(const char* text);
  CString& operator+=(const CString& other);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);

  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, const char* b);
  friend CString operator+(const char* a, const CString& b);
  friend CString operator+(const CString& a, char b);
  friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
  friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

  // Byte index of the first match at or after start, or -1. A match never
  // begins on the trail byte of a double-byte character.
  int Find(char ch, int start = 0) const;
  int Find(const char* sub, int start = 0) const;
  // Byte index of the last ch that is a character of its own, or -1.
  int ReverseFind(char ch) const;

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;
  // The longest start of the text that fits in maxBytes bytes without
  // splitting a double-byte character.
  CString LeftWholeChars(int maxBytes) const;

  // Removes trailing white space without splitting a double-byte character.
  CString& TrimRight();
  int CompareNoCase(const char* other) const;

  // Direct access for the platform calls that fill a caller's buffer.
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

  // Loads a string resource of the program; false (and empty) when it has none.
  bool LoadString(UINT id);

 private:
  std::string m_text;
};
