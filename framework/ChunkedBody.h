// A reply body sent in chunks (HTTP's chunked transfer coding), decoded as
// its bytes arrive. Chunk extensions and trailers are read and dropped.
#pragma once

#include <string>

class CChunkedBody {
 public:
  // Appends what bytes hold of the body to body; false when they break the
  // chunk format.
  bool Feed(const char* bytes, size_t count, std::string* body);
  // The last, empty chunk has come.
  bool IsComplete() const { return m_state == State::kDone; }

 private:
  enum class State { kSize, kData, kDataEnd, kTrailer, kDone };
  State m_state = State::kSize;
  std::string m_line;
  unsigned long long m_remaining = 0;
};
