// The program on a system whose code page is not 936: this test program
// runs, with everything it starts, under code page 1252 (an English system).
// The program speaks English there, and Chinese when the settings ask for
// it: the Chinese texts read right, tooltips keep their code page 936 bytes
// from the file to the icon and from the form to the file, and a folder
// named in a script code page 936 cannot hold keeps the program's settings.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/ResourceLanguage.h"
#include "framework/Strings.h"
#include "res/AgreementDlgIds.h"
#include "res/StringIds.h"
#include "res/SwitcherDlgIds.h"
#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/FirstStarts.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/SettingsForm.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

constexpr UINT kIconId = 0x402;

// The test's own copy of the program's string table, in Chinese.
std::string ResourceText(UINT id) { return LoadText(id).GetString(); }

constexpr char kSpeakChinese[] = "[Extras]\r\nLanguage=zh\r\n";

// The form's labels and buttons as they read.
std::vector<std::string> FormTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (int id : {IDC_CHECK_HOTKEY, IDC_CHECK_TRAY, IDC_BUTTON_OK, IDC_BUTTON_CANCEL, IDC_BUTTON_EXIT,
                 IDC_BUTTON_ABOUT, IDC_CHECK_OTHER_ICONS}) {
    texts.push_back(ItemText(dialog, id));
  }
  return texts;
}

class CodePage1252Test : public ::testing::Test {
 protected:
  // Nothing here says anything unless the run really is under code page 1252.
  void SetUp() override {
    ASSERT_EQ(GetACP(), 1252u) << "the test runs under an English locale";
    AfxSetResourceLanguage(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  }
};

TEST_F(CodePage1252Test, TheAgreementTheFormAndAMessageBoxReadInChinese) {
  // The default hotkey held elsewhere: the start says so in a message box.
  HeldHotKey held(MOD_CONTROL, VK_F1);
  ASSERT_TRUE(held.IsHeld());
  PanorelInstance panorel;
  ASSERT_TRUE(panorel.SetIniText(kSpeakChinese));
  Process& process = panorel.Start();

  HWND agreement = WaitForTopLevel(process.Id(), "#32770", nullptr);
  ASSERT_NE(agreement, nullptr);
  EXPECT_EQ(TextOf(agreement), kAgreementTitle);
  const std::string text = FullTextOf(GetDlgItem(agreement, IDC_EDIT_AGREEMENT));
  EXPECT_TRUE(text == ResourceText(IDS_AGREEMENT_TEXT)) << "the agreement's text begins " << text.substr(0, 40);
  // The prompt under the text is the template's one unnamed control.
  EXPECT_EQ(ItemText(agreement, -1), "请仔细阅读以上协议;选择 Yes 表示您同意全部条款,选择 No 将退出程序。");
  Click(agreement, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(agreement); }));

  EXPECT_EQ(MessageBoxText(WaitForMessageBox(process.Id())), ResourceText(IDS_HOTKEY_REGISTER_FAILED));
  PostMessageW(FindMessageBox(process.Id()), WM_COMMAND, IDOK, 0);

  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  const std::pair<int, const char*> labels[] = {
      {IDC_CHECK_HOTKEY, "热键:"},  {IDC_CHECK_TRAY, "托盘:"},    {IDC_BUTTON_OK, "确定"},
      {IDC_BUTTON_CANCEL, "取消"},  {IDC_BUTTON_EXIT, "退出"},    {IDC_BUTTON_ABOUT, "关于"},
      {IDC_CHECK_OTHER_ICONS, "切换其它程序的托盘图标(此选项请留意帮助中的相关说明)"},
  };
  for (const auto& [id, label] : labels) EXPECT_EQ(ItemText(dialog, id), label) << id;
  EXPECT_TRUE(panorel.Exit());
}

TEST_F(CodePage1252Test, AnEnglishSystemGetsEnglishAndAnAgreementAcceptedInEnglishHoldsInChinese) {
  PanorelInstance panorel;
  Process& first = panorel.Start();
  HWND agreement = WaitForTopLevel(first.Id(), "#32770", nullptr);
  ASSERT_NE(agreement, nullptr);
  EXPECT_EQ(TextOf(agreement), "Panorel Usage Agreement");
  EXPECT_EQ(FullTextOf(GetDlgItem(agreement, IDC_EDIT_AGREEMENT)).rfind("Panorel Software Usage Agreement\r\n", 0), 0u);
  Click(agreement, IDOK);

  HWND dialog = WaitForStartedDialog(first);
  ASSERT_NE(dialog, nullptr);
  const std::vector<std::string> english = {"Hotkey:", "Tray icon:", "OK", "Cancel", "Exit", "About",
                                            "Also switch other programs' tray icons (see Help first)"};
  EXPECT_EQ(FormTexts(dialog), english);
  EXPECT_EQ(TextOf(dialog), kMainTitle) << "the title is the same in both languages";
  EXPECT_TRUE(panorel.Exit());

  // The same user, now asking for Chinese: the agreement holds.
  const std::string ini = panorel.IniText();
  const std::string askingForChinese = ini + "\r\n" + kSpeakChinese;
  ASSERT_TRUE(panorel.SetIniText(askingForChinese));
  panorel.Start();
  // An agreement asked again would keep the main dialog from coming.
  dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr) << "no agreement asked again";
  const std::vector<std::string> chinese = {"热键:", "托盘:", "确定", "取消", "退出", "关于",
                                            "切换其它程序的托盘图标(此选项请留意帮助中的相关说明)"};
  EXPECT_EQ(FormTexts(dialog), chinese);
  EXPECT_TRUE(panorel.Exit());
  EXPECT_EQ(panorel.IniText(), askingForChinese) << "nothing stored changes with the language";
}

TEST_F(CodePage1252Test, ATooltipKeepsItsCodePage936BytesFromTheFileToTheIconAndFromTheFormToTheFile) {
  FakeTaskbar taskbar;
  ASSERT_TRUE(taskbar.IsReady());
  PanorelInstance panorel;
  // The literals are code page 936 bytes, as a file of a Chinese system holds them.
  const std::string fromFile = "桌面一的提示";
  ASSERT_TRUE(panorel.SetIniText("[" + AgreementSection() + "]\r\nAllow=Y\r\n[Setup]\r\nIconTitle=" + fromFile + "\r\n"));
  Process& process = panorel.Start();
  HWND dialog = WaitForStartedDialog(process);
  ASSERT_NE(dialog, nullptr);
  auto lastTip = [&] {
    const std::vector<std::string> calls = taskbar.CallsFor(dialog, kIconId);
    return calls.empty() ? std::string("<no icon>") : TipOfCall(calls.back());
  };
  EXPECT_EQ(lastTip(), fromFile);

  const std::string typed = "新的提示";
  ASSERT_TRUE(ShowBySecondStart(panorel, dialog));
  SetTip(dialog, typed);
  ASSERT_TRUE(Apply(dialog));
  EXPECT_NE(panorel.IniText().find("\r\nIconTitle=" + typed + "\r\n"), std::string::npos) << panorel.IniText();
  EXPECT_EQ(lastTip(), typed);
  EXPECT_TRUE(panorel.Exit());
}

TEST_F(CodePage1252Test, AProgramInAFolderWithAKoreanNameAsksOnceAndKeepsItsSettingsBesideIt) {
  PanorelInstance panorel(InSubfolder{L"한국어 폴더"});
  ASSERT_NE(GetFileAttributesW(panorel.ExePathW().c_str()), INVALID_FILE_ATTRIBUTES);

  const TwoStarts seen = StartTwiceChoosingAKey(panorel);
  EXPECT_EQ(seen.agreementsAsked, 1) << "the agreement is asked once";
  EXPECT_EQ(seen.keyAtSecondStart, kKeyChosenAtFirstStart) << "the key chosen survives a restart";
  const std::string ini = panorel.IniText();
  EXPECT_NE(ini.find("Allow=Y\r\n"), std::string::npos) << "the settings file beside the copy: " << ini;
  EXPECT_NE(ini.find("HotKey=116\r\n"), std::string::npos);
}

}  // namespace
