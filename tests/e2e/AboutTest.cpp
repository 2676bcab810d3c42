// The About box of the running program: opened from the main dialog's
// button and its system menu, its news box filled from a real HTTP server
// on loopback, which the program reaches through the system proxy under its
// own fixed host name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <psapi.h>

#include "res/AboutDlgIds.h"
#include "res/SwitcherDlgIds.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"
#include "tests/automation/Windows.h"
#include "tests/helpers/NewsServer.h"

using namespace automation;

namespace {

constexpr char kAboutTitle[] = "About Panorel";
constexpr char kNewsPath[] = "/swiftpaw/swiftpaw.asp?exe=PANOREL&ver=1.01&ask=wnew";
constexpr char kFetching[] = "正在从网站取得最新消息...";
constexpr char kUnreachable[] = "不能连接到www.panorel.example以取得更新信息";
// The whole fetch ends within 15 s; the box says so a little after.
constexpr DWORD kNewsTimeoutMs = 20000;

std::string NewsOf(HWND about) { return FullTextOf(GetDlgItem(about, IDC_EDIT_NEWS)); }

// What the process holds of memory of its own. Wine fills in only the page
// file figure.
SIZE_T PrivateBytesOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// A running program whose news requests go to proxyAddress.
class AboutFixture {
 public:
  explicit AboutFixture(const std::string& proxyAddress) : m_proxy(proxyAddress) {
    m_panorel.AcceptAgreement();
    m_panorel.Start();
    m_main = m_panorel.WaitForMainDialog();
  }
  ~AboutFixture() {
    if (m_panorel.process().IsRunning()) m_panorel.Exit();
  }

  HWND Main() const { return m_main; }
  Process& process() { return m_panorel.process(); }
  bool Exit() { return m_panorel.Exit(); }

  HWND WaitForAbout(DWORD timeoutMs = 5000) {
    return WaitForTopLevel(process().Id(), "#32770", kAboutTitle, true, timeoutMs);
  }
  // Opens the box with the About button, reads its news, and closes it.
  std::string NewsOfOneOpening() {
    Click(m_main, IDC_BUTTON_ABOUT);
    return ReadNewsAndClose();
  }
  // The box opens at once, saying that the news is coming; the news follows.
  std::string ReadNewsAndClose() {
    HWND about = WaitForAbout();
    EXPECT_NE(about, nullptr) << "the About box opened at once";
    if (!about) return "<no About box>";
    EXPECT_TRUE(WaitUntil([&] { return NewsOf(about) != kFetching; }, kNewsTimeoutMs)) << "the fetch ended";
    const std::string news = NewsOf(about);
    EXPECT_EQ(FindMessageBox(process().Id()), nullptr) << "no message comes with the news";
    Click(about, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 10000)) << "the About box closed";
    return news;
  }

 private:
  ProxySetting m_proxy;
  PanorelInstance m_panorel;
  HWND m_main = nullptr;
};

class AboutTest : public ::testing::Test {
 protected:
  NewsServer server;
};

TEST_F(AboutTest, EachOpeningSendsOneFreshGetForThisProgramAndVersion) {
  ASSERT_TRUE(server.IsListening());
  server.Answer(200, "news");
  AboutFixture panorel(server.Address());
  ASSERT_NE(panorel.Main(), nullptr);

  Click(panorel.Main(), IDC_BUTTON_ABOUT);
  HWND about = panorel.WaitForAbout();
  ASSERT_NE(about, nullptr);
  // The news, once there, can be selected and copied, not edited.
  ASSERT_TRUE(WaitUntil([&] { return NewsOf(about) == "news\r\n\r\n"; }, kNewsTimeoutMs));
  HWND newsBox = GetDlgItem(about, IDC_EDIT_NEWS);
  EXPECT_TRUE(IsWindowEnabled(newsBox));
  EXPECT_FALSE(TakesTyping(newsBox));
  EXPECT_EQ(panorel.ReadNewsAndClose(), "news\r\n\r\n");
  // The system menu's About item opens the same box.
  PostMessageA(panorel.Main(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  EXPECT_EQ(panorel.ReadNewsAndClose(), "news\r\n\r\n");

  const std::vector<HttpRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u) << "the server's answer may be cached, yet every opening asks again";
  for (const HttpRequest& request : requests) {
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.Host(), "www.panorel.example");
    EXPECT_EQ(request.PathAndQuery(), kNewsPath);
    EXPECT_EQ(request.Header("User-Agent"), "PANOREL");
  }
  EXPECT_TRUE(panorel.Exit());
}

TEST_F(AboutTest, TheBodyShowsLineByLineWithOneExtraLineBreak) {
  ASSERT_TRUE(server.IsListening());
  AboutFixture panorel(server.Address());
  ASSERT_NE(panorel.Main(), nullptr);
  for (const char* body : {"a\nb", "a\r\nb\r\n", "a\nb\n"}) {
    server.Answer(200, body);
    EXPECT_EQ(panorel.NewsOfOneOpening(), "a\r\nb\r\n\r\n") << body;
  }
  server.Answer(200, "");
  EXPECT_EQ(panorel.NewsOfOneOpening(), "\r\n") << "an empty body";
  server.Answer(200, "中文消息\n");
  EXPECT_EQ(panorel.NewsOfOneOpening(), "中文消息\r\n\r\n") << "bytes shown as the program's code page";
  EXPECT_TRUE(panorel.Exit());
}

TEST_F(AboutTest, AnotherStatusLeavesTheBoxEmptyWithoutAMessage) {
  ASSERT_TRUE(server.IsListening());
  server.Answer(404, "<html>not found</html>");
  AboutFixture panorel(server.Address());
  ASSERT_NE(panorel.Main(), nullptr);
  EXPECT_EQ(panorel.NewsOfOneOpening(), "");
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_TRUE(panorel.Exit());
}

TEST(AboutWithoutServerTest, ShowsThatTheVendorCouldNotBeReached) {
  std::string closedAddress;
  {
    NewsServer gone;
    closedAddress = gone.Address();
  }
  AboutFixture panorel(closedAddress);
  ASSERT_NE(panorel.Main(), nullptr);
  EXPECT_EQ(panorel.NewsOfOneOpening(), kUnreachable);
  EXPECT_TRUE(panorel.Exit());
}

TEST_F(AboutTest, AServerThatNeverAnswersEndsInTheFailureTextWithinSeconds) {
  ASSERT_TRUE(server.IsListening());
  server.Stall();
  AboutFixture panorel(server.Address());
  ASSERT_NE(panorel.Main(), nullptr);

  const DWORD asked = GetTickCount();
  Click(panorel.Main(), IDC_BUTTON_ABOUT);
  HWND about = panorel.WaitForAbout();
  ASSERT_NE(about, nullptr) << "the box comes at once";
  EXPECT_EQ(NewsOf(about), kFetching);
  EXPECT_TRUE(WaitUntil([&] { return NewsOf(about) != kFetching; }, kNewsTimeoutMs));
  RecordProperty("stalled_fetch_ms", static_cast<int>(GetTickCount() - asked));
  EXPECT_EQ(panorel.ReadNewsAndClose(), kUnreachable);
  EXPECT_FALSE(server.Requests().empty()) << "the request reached the server, which held it";

  // The program is at the user's service again.
  server.Answer(200, "back");
  EXPECT_EQ(panorel.NewsOfOneOpening(), "back\r\n\r\n");
  EXPECT_TRUE(panorel.Exit());
}

TEST_F(AboutTest, AHugeReplyWithLongLinesNeitherCrashesNorWedgesTheProgram) {
  ASSERT_TRUE(server.IsListening());
  std::string body;
  for (char fill = 'a'; body.size() < 4u * 1024 * 1024; ++fill) body += std::string(512 * 1024, fill) + "\n";
  server.Answer(200, body);
  AboutFixture panorel(server.Address());
  ASSERT_NE(panorel.Main(), nullptr);

  const std::string news = panorel.NewsOfOneOpening();
  // What the edit control holds of the first mebibyte, as it came.
  RecordProperty("news_bytes_shown", static_cast<int>(news.size()));
  ASSERT_GE(news.size(), 64u * 1024);
  EXPECT_LE(news.size(), 1024u * 1024 + 2);
  EXPECT_EQ(news.substr(0, 1000), body.substr(0, 1000));
  EXPECT_EQ(news.find('c'), std::string::npos) << "nothing from beyond the first mebibyte";

  // Still at the user's service: it answers, opens the box again, and ends.
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutA(panorel.Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0);
  server.Answer(200, "small");
  EXPECT_EQ(panorel.NewsOfOneOpening(), "small\r\n\r\n");
  EXPECT_TRUE(panorel.Exit());
}

TEST_F(AboutTest, HostileRepliesEndWithinTheDeadlineAndTheReadingStopsThere) {
  ASSERT_TRUE(server.IsListening());
  AboutFixture panorel(server.Address());
  ASSERT_NE(panorel.Main(), nullptr);
  constexpr SIZE_T kMemoryBound = 100u * 1024 * 1024;

  // Headers that never end: the failure text, and the connection closed.
  server.Flood(NewsServer::Flood::kEndlessHead);
  EXPECT_EQ(panorel.NewsOfOneOpening(), kUnreachable);
  EXPECT_TRUE(WaitUntil([&] { return server.FloodsRunning() == 0; }, 5000)) << "Panorel stopped reading";
  EXPECT_LT(PrivateBytesOf(panorel.process().Handle()), kMemoryBound);

  // One chunk of 4 GB: the first mebibyte of it, and the rest never read.
  server.Flood(NewsServer::Flood::kEndlessChunked);
  const std::string news = panorel.NewsOfOneOpening();
  EXPECT_TRUE(WaitUntil([&] { return server.FloodsRunning() == 0; }, 5000)) << "Panorel stopped reading";
  RecordProperty("flood_bytes_sent", std::to_string(server.FloodBytesSent()));
  RecordProperty("private_bytes_after_floods", std::to_string(PrivateBytesOf(panorel.process().Handle())));
  EXPECT_LT(PrivateBytesOf(panorel.process().Handle()), kMemoryBound);
  ASSERT_GE(news.size(), 64u * 1024);
  EXPECT_LE(news.size(), 1024u * 1024 + 2);
  EXPECT_EQ(news.substr(0, 1000), std::string(1000, 'f'));

  server.Answer(200, "calm");
  EXPECT_EQ(panorel.NewsOfOneOpening(), "calm\r\n\r\n");
  EXPECT_TRUE(panorel.Exit());
}

TEST_F(AboutTest, WhileTheFetchIsHeldTheHotKeySwitchesAndTheSessionEndsWithEveryWindowShown) {
  ASSERT_TRUE(server.IsListening());
  server.Stall();
  WindowFarm farm;
  ASSERT_TRUE(farm.IsReady());
  const std::vector<HWND> windows = farm.OpenMany(3);
  AboutFixture panorel(server.Address());
  ASSERT_NE(panorel.Main(), nullptr);

  Click(panorel.Main(), IDC_BUTTON_ABOUT);
  HWND about = panorel.WaitForAbout();
  ASSERT_NE(about, nullptr);
  ASSERT_EQ(NewsOf(about), kFetching);

  SwitchOnce(panorel.Main());
  EXPECT_TRUE(AllVisible(windows, false)) << "the switch ran during the fetch";

  // Answered at once, not after the fetch.
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(panorel.Main(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 2000, &answer));
  EXPECT_EQ(answer, TRUE);
  ASSERT_TRUE(SendMessageTimeoutA(panorel.Main(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 2000, &answer));
  EXPECT_TRUE(AllVisible(windows, true)) << "every window is back before the session ends the process";
  panorel.process().Terminate();
}

}  // namespace
