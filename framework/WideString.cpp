#include "framework/WideString.h"

#include <algorithm>

namespace {

size_t Clamp(int count, size_t size) { return count < 0 ? 0 : std::min(static_cast<size_t>(count), size); }

}  // namespace

int CStringW::Find(const wchar_t* sub) const {
  const size_t at = m_text.find(sub);
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CStringW::ReverseFind(wchar_t ch) const {
  const size_t at = m_text.rfind(ch);
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

CStringW CStringW::Left(int count) const { return m_text.substr(0, Clamp(count, m_text.size())).c_str(); }

CStringW CStringW::Mid(int first) const {
  const size_t start = Clamp(first, m_text.size());
  return CStringW(m_text.c_str() + start, static_cast<int>(m_text.size() - start));
}

CStringW CStringW::Right(int count) const {
  const size_t take = Clamp(count, m_text.size());
  return CStringW(m_text.c_str() + m_text.size() - take, static_cast<int>(take));
}

wchar_t* CStringW::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
  return &m_text[0];
}

void CStringW::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = lstrlenW(m_text.c_str());
  m_text.resize(static_cast<size_t>(newLength));
}

CStringW TextToWide(const char* text, int length) {
  if (!text) return CStringW();
  if (length < 0) length = lstrlenA(text);
  if (length == 0) return CStringW();
  CStringW wide;
  const int needed = ::MultiByteToWideChar(kTextCodePage, 0, text, length, nullptr, 0);
  const int written = ::MultiByteToWideChar(kTextCodePage, 0, text, length, wide.GetBuffer(needed), needed);
  wide.ReleaseBuffer(written);
  return wide;
}

CString WideToText(const wchar_t* text, int length) {
  if (!text) return CString();
  if (length < 0) length = lstrlenW(text);
  if (length == 0) return CString();
  CString bytes;
  const int needed = ::WideCharToMultiByte(kTextCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  const int written =
      ::WideCharToMultiByte(kTextCodePage, 0, text, length, bytes.GetBuffer(needed), needed, nullptr, nullptr);
  bytes.ReleaseBuffer(written);
  return bytes;
}
