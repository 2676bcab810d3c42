// A chunked reply body decoded as its bytes arrive, whole or a byte at a time.
#include <gtest/gtest.h>

#include <string>

#include "framework/ChunkedBody.h"

namespace {

// The body of coded, fed in pieces of step bytes; "<broken>" when the
// decoder refused it, and "<open>" appended when the last chunk never came.
std::string Decoded(const std::string& coded, size_t step) {
  CChunkedBody chunks;
  std::string body;
  for (size_t at = 0; at < coded.size(); at += step) {
    if (!chunks.Feed(coded.data() + at, std::min(step, coded.size() - at), &body)) return "<broken>";
  }
  return chunks.IsComplete() ? body : body + "<open>";
}

TEST(ChunkedBodyTest, ChunksJoinWithExtensionsAndTrailersDroppedHoweverTheBytesArrive) {
  const std::string coded = "4;name=value\r\nnews\r\nA\r\n, and more\r\n0\r\nExpires: never\r\n\r\n";
  for (size_t step : {1u, 3u, 1000u}) EXPECT_EQ(Decoded(coded, step), "news, and more") << step;
  EXPECT_EQ(Decoded("5\nplain\n0\n\n", 2), "plain") << "bare line feeds";
  EXPECT_EQ(Decoded("5\r\nhal", 1), "hal<open>") << "a body cut short is still open";
}

TEST(ChunkedBodyTest, ABrokenFormatIsRefused) {
  EXPECT_EQ(Decoded("zz\r\nnews\r\n0\r\n\r\n", 1), "<broken>") << "no size";
  EXPECT_EQ(Decoded("4\r\nnewsX\r\n0\r\n\r\n", 1), "<broken>") << "data past its size";
  EXPECT_EQ(Decoded("1000000000000000\r\n", 4), "<broken>") << "a size past 15 hex digits";
  EXPECT_EQ(Decoded(std::string(2000, '1'), 100), "<broken>") << "a size line without end";
}

}  // namespace
