#include "framework/LineReader.h"

#include <utility>

namespace {

constexpr DWORD kChunkSize = 8192;

}  // namespace

CLineReader::CLineReader(Source source) : m_source(std::move(source)), m_buffer(kChunkSize) {}

bool CLineReader::Fill() {
  m_position = 0;
  m_end = m_source(m_buffer.data(), static_cast<DWORD>(m_buffer.size()));
  return m_end > 0;
}

BOOL CLineReader::ReadString(CString& line, int maxLength) {
  line.Empty();
  bool readAnything = false;
  while (line.GetLength() < maxLength) {
    if (m_position == m_end && !Fill()) return readAnything;
    const char ch = m_buffer[m_position++];
    readAnything = true;
    if (ch == '\n') return TRUE;
    if (ch != '\r') line += ch;
  }
  return TRUE;
}
