// The fake taskbar's promise to the tests that read its log: every
// notification-icon call of a program lands there as one exact line, and the
// call succeeds.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>

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

TEST(FakeTaskbarTest, EachNotificationIconCallIsAnsweredAndLoggedAsOneLine) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  HWND owner = CreateWindowExA(0, "STATIC", "icon owner", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = owner;
  data.uID = 0x402;
  data.uFlags = NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = 0x401;
  std::strcpy(data.szTip, "帕诺瑞尔 tip");
  EXPECT_TRUE(Shell_NotifyIconA(NIM_ADD, &data));
  data.uFlags = NIF_TIP;
  std::strcpy(data.szTip, "");
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &data));
  data.uFlags = 0;
  EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &data));

  // Wine passes on only the fields that the flags name: the callback
  // message is 0 whenever NIF_MESSAGE is absent.
  EXPECT_EQ(taskbar.LogText(), ExpectedLine(0, owner, "uid=402 flags=5 callback=401 tip=帕诺瑞尔 tip") +
                                   ExpectedLine(1, owner, "uid=402 flags=4 callback=0 tip=") +
                                   ExpectedLine(2, owner, "uid=402 flags=0 callback=0 tip="));
  DestroyWindow(owner);
}

}  // namespace
