// CLineReader: text read line by line from a source of bytes, such as the
// body of an HTTP reply. Lines end at LF; every CR is dropped, wherever it
// stands. The bytes are taken as they come, in the program's code page.
#pragma once

#include <windows.h>

#include <climits>
#include <functional>
#include <vector>

#include "framework/String.h"

class CLineReader {
 public:
  // Fills buffer with at most size bytes and returns how many; 0 at the end.
  // A source that fails throws.
  using Source = std::function<DWORD(char* buffer, DWORD size)>;

  explicit CLineReader(Source source);
  virtual ~CLineReader() = default;
  CLineReader(const CLineReader&) = delete;
  CLineReader& operator=(const CLineReader&) = delete;

  // The next line, without its LF. FALSE (and an empty line) once the source
  // has nothing left. A line longer than maxLength comes back in pieces of
  // maxLength characters, so a caller can bound what it holds.
  BOOL ReadString(CString& line, int maxLength = INT_MAX);

 private:
  // Refills the buffer; false at the end of the source.
  bool Fill();

  Source m_source;
  std::vector<char> m_buffer;
  size_t m_position = 0;
  size_t m_end = 0;
};
