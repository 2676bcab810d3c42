#include "framework/ChunkedBody.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A chunk's size line or a trailer line; real ones are a few bytes.
constexpr size_t kLongestChunkLine = 1024;

}  // namespace

bool CChunkedBody::Feed(const char* bytes, size_t count, std::string* body) {
  for (size_t at = 0; at < count && m_state != State::kDone;) {
    if (m_state == State::kData) {
      const size_t take = static_cast<size_t>(std::min<unsigned long long>(m_remaining, count - at));
      body->append(bytes + at, take);
      at += take;
      m_remaining -= take;
      if (m_remaining == 0) m_state = State::kDataEnd;
      continue;
    }
    const char ch = bytes[at++];
    if (ch != '\n') {
      if (ch != '\r') m_line += ch;
      if (m_line.size() > kLongestChunkLine) return false;
      continue;
    }
    const std::string line = m_line;
    m_line.clear();
    if (m_state == State::kDataEnd) {
      if (!line.empty()) return false;
      m_state = State::kSize;
    } else if (m_state == State::kTrailer) {
      if (line.empty()) m_state = State::kDone;
    } else {
      // Extensions may follow the size; a size beyond 15 hex digits is no
      // size at all.
      const size_t digits = std::min(line.find_first_not_of("0123456789abcdefABCDEF"), line.size());
      if (digits == 0 || digits > 15) return false;
      m_remaining = std::strtoull(line.c_str(), nullptr, 16);
      m_state = m_remaining == 0 ? State::kTrailer : State::kData;
    }
  }
  return true;
}
