#include "framework/String.h"

#include "framework/ResourceLanguage.h"
#include "framework/WideString.h"

#include <cctype>
#include <cstring>

namespace {

// Length in bytes of the character that starts at text[i].
size_t CharLength(const std::string& text, size_t i) {
  if (IsDBCSLeadByteEx(kTextCodePage, static_cast<BYTE>(text[i])) && i + 1 < text.size()) return 2;
  return 1;
}

bool IsSpaceByte(char ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; }

}  // namespace

CString& CString::operator=(const char* text) {
  m_text = text ? text : "";
  return *this;
}

CString& CString::operator+=(const CString& other) {
  m_text += other.m_text;
  return *this;
}

CString& CString::operator+=(const char* text) {
  if (text) m_text += text;
  return *this;
}

CString& CString::operator+=(char ch) {
  m_text += ch;
  return *this;
}

CString operator+(const CString& a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}

CString operator+(const CString& a, const char* b) {
  CString result(a);
  result += b;
  return result;
}

CString operator+(const char* a, const CString& b) {
  CString result(a);
  result += b;
  return result;
}

CString operator+(const CString& a, char b) {
  CString result(a);
  result += b;
  return result;
}

int CString::Find(char ch, int start) const {
  const char text[2] = {ch, '\0'};
  return Find(text, start);
}

int CString::Find(const char* sub, int start) const {
  if (!sub || start < 0) return -1;
  const size_t subLength = std::strlen(sub);
  for (size_t i = 0; i < m_text.size(); i += CharLength(m_text, i)) {
    if (i < static_cast<size_t>(start)) continue;
    if (m_text.compare(i, subLength, sub) == 0) return static_cast<int>(i);
  }
  return -1;
}

int CString::ReverseFind(char ch) const {
  int last = -1;
  for (size_t i = 0; i < m_text.size(); i += CharLength(m_text, i)) {
    if (m_text[i] == ch) last = static_cast<int>(i);
  }
  return last;
}

CString CString::Left(int count) const {
  if (count <= 0) return CString();
  return CString(m_text.substr(0, static_cast<size_t>(count)).c_str());
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (first >= GetLength() || count <= 0) return CString();
  std::string part = m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
  return CString(part.data(), static_cast<int>(part.size()));
}

CString CString::Right(int count) const {
  if (count <= 0) return CString();
  if (count >= GetLength()) return *this;
  return Mid(GetLength() - count);
}

CString CString::LeftWholeChars(int maxBytes) const {
  size_t kept = 0;
  while (kept < m_text.size()) {
    const size_t length = CharLength(m_text, kept);
    if (kept + length > static_cast<size_t>(maxBytes < 0 ? 0 : maxBytes)) break;
    kept += length;
  }
  return Left(static_cast<int>(kept));
}

CString& CString::TrimRight() {
  // Walk forward so that a trail byte that happens to equal a space code is
  // never mistaken for one.
  size_t keep = 0;
  for (size_t i = 0; i < m_text.size();) {
    const size_t length = CharLength(m_text, i);
    if (length == 2 || !IsSpaceByte(m_text[i])) keep = i + length;
    i += length;
  }
  m_text.resize(keep);
  return *this;
}

int CString::CompareNoCase(const char* other) const {
  // Compared as characters: the system's code page need not be the texts'.
  return lstrcmpiW(TextToWide(*this), TextToWide(other ? other : ""));
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
  return &m_text[0];
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(std::strlen(m_text.c_str()));
  m_text.resize(static_cast<size_t>(newLength));
}

bool CString::LoadString(UINT id) {
  // String resources are stored in UTF-16: read them as such, in the
  // program's chosen language, and convert to the program's code page,
  // which need not be the system's.
  const CStringW text = AfxLoadStringW(GetModuleHandleW(nullptr), id);
  *this = text.IsEmpty() ? CString() : WideToText(text, text.GetLength());
  return !text.IsEmpty();
}
