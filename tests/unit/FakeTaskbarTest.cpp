// The fake taskbar's promise to the tests that read its log: every
// notification-icon call of a program lands there as one exact line, and the
// call succeeds.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/Wait.h"

using automation::FakeTaskbar;

namespace {

std::string ExpectedLine(int code, HWND owner, const char* rest) {
  char head[64];
  std::snprintf(head, sizeof head, "NIM %d hwnd=%08lx ", code,
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(owner)));
  return head + std::string(rest) + "\r\n";
}

// A taskbar, a window of this process that owns an icon, and the icon's
// record, to which each test adds what it calls with.
class FakeTaskbarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_taskbar.IsReady());
    m_owner = CreateWindowExA(0, "STATIC", "icon owner", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    m_data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    m_data.hWnd = m_owner;
    m_data.uID = 0x402;
  }
  void TearDown() override { DestroyWindow(m_owner); }

  FakeTaskbar m_taskbar;
  HWND m_owner = nullptr;
  NOTIFYICONDATAA m_data = {};
};

TEST_F(FakeTaskbarTest, EachNotificationIconCallIsAnsweredAndLoggedAsOneLine) {
  m_data.uFlags = NIF_MESSAGE | NIF_TIP;
  m_data.uCallbackMessage = 0x401;
  std::strcpy(m_data.szTip, "帕诺瑞尔 tip");
  EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &m_data));
  m_data.uFlags = NIF_TIP;
  std::strcpy(m_data.szTip, "");
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &m_data));
  m_data.uFlags = 0;
  EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &m_data));

  // Wine passes on only the fields that the flags name: the callback
  // message is 0 whenever NIF_MESSAGE is absent.
  EXPECT_EQ(m_taskbar.LogText(), ExpectedLine(0, m_owner, "uid=402 flags=5 callback=401 tip=帕诺瑞尔 tip") +
                                     ExpectedLine(1, m_owner, "uid=402 flags=4 callback=0 tip=") +
                                     ExpectedLine(2, m_owner, "uid=402 flags=0 callback=0 tip="));
}

TEST_F(FakeTaskbarTest, AnIconsBitsAreLoggedAsItsSizeAndAChecksumThatTellsImagesApart) {
  m_data.uFlags = NIF_ICON;
  for (LPCSTR icon : {IDI_APPLICATION, IDI_HAND, IDI_APPLICATION}) {
    m_data.hIcon = LoadIconA(nullptr, icon);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &m_data));
  }

  const std::vector<std::string> calls = m_taskbar.CallsFor(m_owner, 0x402);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(automation::IconOfCall(calls[0]).rfind("icon=32x32:", 0), 0u) << calls[0];
  EXPECT_NE(automation::IconOfCall(calls[0]), automation::IconOfCall(calls[1]));
  EXPECT_EQ(automation::IconOfCall(calls[0]), automation::IconOfCall(calls[2]));
}

}  // namespace
