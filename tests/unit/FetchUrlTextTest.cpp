// The news fetch: how a reply body becomes the text of the news box, and
// the fetch itself against a real HTTP server on loopback, reached through
// the system proxy as the program reaches its vendor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/FetchUrlText.h"
#include "framework/SystemProxy.h"
#include "tests/automation/Wait.h"
#include "tests/helpers/NewsServer.h"

using namespace automation;

namespace {

// A body handed out in chunks of at most chunkSize bytes; counts what was
// taken from it.
class BodySource {
 public:
  BodySource(std::string body, DWORD chunkSize) : m_body(std::move(body)), m_chunkSize(chunkSize) {}
  CLineReader::Source Reader() {
    return [this](char* buffer, DWORD size) {
      const DWORD count = static_cast<DWORD>(std::min<size_t>({size, m_chunkSize, m_body.size() - m_taken}));
      m_body.copy(buffer, count, m_taken);
      m_taken += count;
      return count;
    };
  }
  size_t Taken() const { return m_taken; }

 private:
  std::string m_body;
  size_t m_chunkSize;
  size_t m_taken = 0;
};

std::string TextOfBody(const std::string& body, DWORD chunkSize = 8192) {
  BodySource source(body, chunkSize);
  CLineReader reader(source.Reader());
  CString text;
  ReadBodyText(reader, text);
  return text.GetString();
}

TEST(ReadBodyTextTest, TwoLinesShowAsTwoLinesAndOneEmptyWhateverTheLineEnds) {
  for (const char* body : {"a\nb", "a\nb\n", "a\r\nb\r\n", "a\r\nb"}) {
    EXPECT_EQ(TextOfBody(body), "a\r\nb\r\n\r\n") << body;
    EXPECT_EQ(TextOfBody(body, 1), "a\r\nb\r\n\r\n") << body << " read a byte at a time";
  }
}

TEST(ReadBodyTextTest, EmptyBodyGivesOneLineBreakAndBlankLinesAndStrayCarriageReturnsAreHandled) {
  EXPECT_EQ(TextOfBody(""), "\r\n");
  EXPECT_EQ(TextOfBody("\n"), "\r\n\r\n");
  EXPECT_EQ(TextOfBody("a\r\r\n\nb\rc"), "a\r\n\r\nbc\r\n\r\n") << "every CR goes, blank lines stay";
}

TEST(ReadBodyTextTest, LinesLongerThanTheReadBufferComeWhole) {
  const std::string line(50000, 'x');
  EXPECT_EQ(TextOfBody(line + "\n" + line), line + "\r\n" + line + "\r\n\r\n");
}

TEST(ReadBodyTextTest, StopsNearTheBoundOnARunawayBodyAndKeepsWhatItRead) {
  // Four mebibytes in 300 KB lines, and one line of four mebibytes.
  std::string lines;
  while (lines.size() < 4u * 1024 * 1024) lines += std::string(300 * 1024, 'n') + "\r\n";
  for (const std::string& body : {lines, std::string(4u * 1024 * 1024, 'z')}) {
    BodySource source(body, 8192);
    CLineReader reader(source.Reader());
    CString text;
    ReadBodyText(reader, text);
    EXPECT_GE(text.GetLength(), kMaxFetchedTextLength);
    EXPECT_LE(text.GetLength(), kMaxFetchedTextLength + 2);
    EXPECT_LE(source.Taken(), static_cast<size_t>(kMaxFetchedTextLength) + 64 * 1024) << "the rest is never read";
    EXPECT_EQ(std::string(text.GetString(), 1000), body.substr(0, 1000));
  }
  // Right below the bound, nothing is cut.
  const std::string justBelow(kMaxFetchedTextLength - 10, 'q');
  EXPECT_EQ(TextOfBody(justBelow + "\n"), justBelow + "\r\n\r\n");
}

class FetchUrlTextTest : public ::testing::Test {
 protected:
  NewsServer server;
  std::unique_ptr<ProxySetting> proxy;
  void SetUp() override {
    ASSERT_TRUE(server.IsListening());
    proxy = std::make_unique<ProxySetting>(server.Address());
  }
  void TearDown() override { proxy.reset(); }
};

const char kUrl[] = "http://www.panorel.example/swiftpaw/swiftpaw.asp?exe=PANOREL&ver=1.01&ask=wnew";

TEST_F(FetchUrlTextTest, AnOkReplyGivesZeroAndItsTextAfterOneFreshGet) {
  server.Answer(200, "first\nsecond");
  CString text = "old";
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT"), 0);
  EXPECT_STREQ(text, "first\r\nsecond\r\n\r\n");
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT"), 0) << "fetched again, not from a cache";

  const std::vector<HttpRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  for (const HttpRequest& request : requests) {
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.Host(), "www.panorel.example");
    EXPECT_EQ(request.PathAndQuery(), "/swiftpaw/swiftpaw.asp?exe=PANOREL&ver=1.01&ask=wnew");
    EXPECT_EQ(request.Header("User-Agent"), "AGENT");
  }
}

TEST_F(FetchUrlTextTest, AnotherStatusIsReturnedAndLeavesTheTextAlone) {
  server.Answer(404, "not here\n");
  CString text = "untouched";
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT"), 404);
  EXPECT_STREQ(text, "untouched");
  server.Answer(500, "");
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT"), 500);
}

TEST_F(FetchUrlTextTest, AHugeReplyIsCutAtTheBound) {
  server.Answer(200, std::string(3u * 1024 * 1024, 'h') + "\n" + std::string(1024 * 1024, 'i'));
  CString text;
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT"), 0);
  EXPECT_GE(text.GetLength(), kMaxFetchedTextLength);
  EXPECT_LE(text.GetLength(), kMaxFetchedTextLength + 2);
}

TEST(FetchUrlTextFailureTest, NoServerGivesMinusOne) {
  std::string closedAddress;
  {
    NewsServer gone;
    closedAddress = gone.Address();
  }
  ProxySetting proxy(closedAddress);
  CString text = "kept";
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT"), kFetchFailed);
}

TEST_F(FetchUrlTextTest, HostileRepliesStopAtTheBoundsAndACancelStopsAtOnce) {
  CString text = "kept";
  server.Flood(NewsServer::Flood::kEndlessHead);
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT"), kFetchFailed) << "a head without end is no reply";
  EXPECT_STREQ(text, "kept");

  server.Flood(NewsServer::Flood::kEndlessChunked);
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT"), 0);
  EXPECT_EQ(text.GetLength(), kMaxFetchedTextLength + 2) << "the first mebibyte, as one line";
  EXPECT_EQ(std::string(text.GetString(), 100), std::string(100, 'f'));
  EXPECT_TRUE(WaitUntil([&] { return server.FloodsRunning() == 0; }, 5000)) << "the connection was closed";

  server.Stall();
  HANDLE cancel = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  const DWORD started = GetTickCount();
  EXPECT_EQ(FetchUrlText(kUrl, text, "AGENT", cancel), kFetchFailed);
  EXPECT_LT(GetTickCount() - started, kFetchDeadlineMs) << "ended by the cancel, not the deadline";
  CloseHandle(cancel);
}

TEST(SystemProxyTest, TheHttpEntryOrTheCommonOneUnlessTheHostIsBypassed) {
  EXPECT_EQ(ChooseHttpProxy("127.0.0.1:8080", "", "www.panorel.example"), "127.0.0.1:8080");
  EXPECT_EQ(ChooseHttpProxy("ftp=f:21;http=h:3128 s:1", "", "www.panorel.example"), "h:3128");
  EXPECT_EQ(ChooseHttpProxy("https=s:443 all:1", "", "www.panorel.example"), "all:1");
  EXPECT_EQ(ChooseHttpProxy("http=http://h:3128/", "", "www.panorel.example"), "h:3128");
  EXPECT_EQ(ChooseHttpProxy("https=s:443", "", "www.panorel.example"), "") << "none for http";
  EXPECT_EQ(ChooseHttpProxy("p:1", "*.PANOREL.example;<local>", "www.panorel.example"), "");
  EXPECT_EQ(ChooseHttpProxy("p:1", "<local>", "intranet"), "");
  EXPECT_EQ(ChooseHttpProxy("p:1", "<local> *.other.example", "www.panorel.example"), "p:1");
}

}  // namespace
