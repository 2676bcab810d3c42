// The proxy set-up of the news tests, when a test dies while it holds it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/helpers/NewsServer.h"

namespace {

using automation::ProxySetting;

constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// The value's text; "(none)" when there is none.
std::string ProxyServer(HKEY settings) {
  char text[256] = "";
  DWORD type = 0;
  DWORD size = sizeof text - 1;
  if (RegQueryValueExA(settings, "ProxyServer", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
      ERROR_SUCCESS) {
    return "(none)";
  }
  return text;
}

bool ProxyEnablePresent(HKEY settings) {
  return RegQueryValueExA(settings, "ProxyEnable", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TEST(ProxySettingTest, TheNextSetUpPutsBackWhatATestThatDiedChanged) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const char original[] = "original.example:8080";
  RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(original), sizeof original);
  RegDeleteValueA(key, "ProxyEnable");

  // Never destroyed, as in a test process that crashed while holding it.
  new ProxySetting("127.0.0.1:1");
  EXPECT_EQ(ProxyServer(key), "127.0.0.1:1");

  {
    ProxySetting next("127.0.0.1:2");
    EXPECT_EQ(ProxyServer(key), "127.0.0.1:2");
  }
  EXPECT_EQ(ProxyServer(key), original);
  EXPECT_FALSE(ProxyEnablePresent(key));

  RegDeleteValueA(key, "ProxyServer");
  RegCloseKey(key);
}

}  // namespace
