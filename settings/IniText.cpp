#include "settings/IniText.h"

#include <windows.h>

#include <algorithm>

#include "framework/WideString.h"

namespace {

bool IsBlank(wchar_t unit) { return unit == L' ' || unit == L'\t' || unit == L'\v' || unit == L'\f'; }

// Names compare as wide text: a code page 936 trail byte may look like an
// ASCII letter and must not be folded on its own.
std::wstring WideOf(const char* text, size_t length) {
  const CStringW wide = TextToWide(text, static_cast<int>(length));
  return std::wstring(wide.GetString(), static_cast<size_t>(wide.GetLength()));
}
std::wstring WideOf(const wchar_t* text, size_t length) { return std::wstring(text, length); }

std::wstring Folded(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
  return text;
}

template <typename Text>
bool IsQuote(const Text& text, size_t at) {
  return text[at] == '"' || text[at] == '\'';
}

}  // namespace

// A line ends at CR LF, LF or a CR alone, as the profile calls end it.
template <typename Unit>
typename CIniText<Unit>::CLine CIniText<Unit>::LineAt(size_t begin) const {
  const Unit breaks[] = {'\r', '\n', '\0'};
  const size_t end = std::min(m_text.find_first_of(breaks, begin), m_text.size());
  size_t next = end;
  if (next < m_text.size() && m_text[next] == '\r') ++next;
  if (next < m_text.size() && m_text[next] == '\n') ++next;
  return {begin, end, next};
}

template <typename Unit>
typename CIniText<Unit>::CKeyPlace CIniText<Unit>::Locate(const Text& section, const Text& key) const {
  auto skipBlanks = [this](size_t at, size_t end) {
    while (at < end && IsBlank(m_text[at])) ++at;
    return at;
  };
  auto trimEnd = [this](size_t begin, size_t end) {
    while (end > begin && IsBlank(m_text[end - 1])) --end;
    return end;
  };
  auto names = [this](size_t begin, size_t end, const Text& name) {
    return Folded(WideOf(m_text.data() + begin, end - begin)) == Folded(WideOf(name.data(), name.size()));
  };

  CKeyPlace place;
  bool inSection = false;
  for (size_t at = 0; at < m_text.size();) {
    const CLine line = LineAt(at);
    at = line.next;
    const size_t begin = skipBlanks(line.begin, line.end);
    const size_t end = trimEnd(begin, line.end);
    if (begin == end) continue;
    if (m_text[begin] == '[') {
      // The last "]": in a code page 936 line an earlier one may be the
      // second byte of a character.
      const size_t close = m_text.rfind(static_cast<Unit>(']'), end - 1);
      if (close == Text::npos || close <= begin) continue;
      // Past the first matching section: a later one of the same name
      // is not read.
      if (place.sectionFound) return place;
      inSection = names(begin + 1, close, section);
      if (inSection) {
        place.sectionFound = true;
        place.line = line;
      }
      continue;
    }
    if (!inSection || m_text[begin] == ';') continue;
    const size_t equals = m_text.find(static_cast<Unit>('='), begin);
    if (equals >= end) continue;
    place.line = line;
    if (names(begin, trimEnd(begin, equals), key)) {
      place.keyFound = true;
      place.valueBegin = skipBlanks(equals + 1, line.end);
      return place;
    }
  }
  return place;
}

template <typename Unit>
bool CIniText<Unit>::Find(const Text& section, const Text& key, Text* value) const {
  const CKeyPlace place = Locate(section, key);
  if (!place.keyFound) return false;
  size_t end = place.line.end;
  while (end > place.valueBegin && IsBlank(m_text[end - 1])) --end;
  size_t begin = place.valueBegin;
  if (end - begin >= 2 && IsQuote(m_text, begin) && m_text[end - 1] == m_text[begin]) {
    ++begin;
    --end;
  }
  *value = m_text.substr(begin, end - begin);
  return true;
}

template <typename Unit>
typename CIniText<Unit>::Text CIniText<Unit>::LineEnd() const {
  const CLine first = LineAt(0);
  const bool plain = first.next == first.end + 1 && m_text[first.end] == '\n';
  Text end;
  if (!plain) end += static_cast<Unit>('\r');
  end += static_cast<Unit>('\n');
  return end;
}

template <typename Unit>
void CIniText<Unit>::Set(const Text& section, const Text& key, Text value) {
  // A line break would end the line, and what follows it would be read as
  // keys of its own.
  const size_t lineBreak = value.find_first_of(Text{static_cast<Unit>('\r'), static_cast<Unit>('\n')});
  if (lineBreak != Text::npos) value.erase(lineBreak);

  const CKeyPlace place = Locate(section, key);
  if (place.keyFound) {
    m_text.replace(place.valueBegin, place.line.end - place.valueBegin, value);
    return;
  }
  const Text lineEnd = LineEnd();
  Text entry = key + static_cast<Unit>('=') + value + lineEnd;
  if (place.sectionFound) {
    // The section's last line may be the text's last, without an end.
    if (place.line.next == place.line.end) entry = lineEnd + entry;
    m_text.insert(place.line.next, entry);
    return;
  }
  if (!m_text.empty() && m_text.back() != '\n' && m_text.back() != '\r') m_text += lineEnd;
  m_text += static_cast<Unit>('[') + section + static_cast<Unit>(']') + lineEnd + entry;
}

template class CIniText<char>;
template class CIniText<wchar_t>;
