// The program's two languages: which one a user gets, that every text and
// template exists in both, that no template of either cuts a text short,
// and that the menus built from the string table speak the chosen one.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/UiLanguage.h"
#include "framework/ResourceLanguage.h"
#include "res/AboutDlgIds.h"
#include "res/AgreementDlgIds.h"
#include "res/IconPickerDlgIds.h"
#include "res/StringIds.h"
#include "res/SwitcherDlgIds.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"
#include "tests/unit/ScratchContext.h"
#include "ui/SwitcherDlg.h"

namespace {

constexpr UINT kTemplates[] = {IDD_ABOUTBOX, IDD_SWITCHER_DIALOG, IDD_ICON_PICKER, IDD_AGREEMENT_DIALOG};

// The program's resources (linked into this test) in one language for as
// long as the object lives; the test process speaks Chinese again after.
class SpokenLanguage {
 public:
  explicit SpokenLanguage(UiLanguage language) { AfxSetResourceLanguage(ResourceLanguageOf(language)); }
  ~SpokenLanguage() { AfxSetResourceLanguage(ResourceLanguageOf(UiLanguage::kChinese)); }
};

TEST(UiLanguageTest, AnyChineseSystemGetsChineseEveryOtherEnglishUnlessTheExtrasSayOtherwise) {
  const LANGID chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
  const LANGID taiwan = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL);
  const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  const LANGID german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
  EXPECT_EQ(ChooseUiLanguage(chinese, ""), UiLanguage::kChinese);
  EXPECT_EQ(ChooseUiLanguage(taiwan, ""), UiLanguage::kChinese);
  EXPECT_EQ(ChooseUiLanguage(english, ""), UiLanguage::kEnglish);
  EXPECT_EQ(ChooseUiLanguage(german, ""), UiLanguage::kEnglish);
  EXPECT_EQ(ChooseUiLanguage(german, "ZH-tw"), UiLanguage::kChinese);
  EXPECT_EQ(ChooseUiLanguage(chinese, "English"), UiLanguage::kEnglish);
  // Neither: the system decides.
  EXPECT_EQ(ChooseUiLanguage(chinese, "fr"), UiLanguage::kChinese);
  EXPECT_EQ(ChooseUiLanguage(english, "chinese"), UiLanguage::kEnglish);
}

TEST(UiLanguageTest, EveryStringAndTemplateExistsInBothLanguages) {
  HMODULE module = GetModuleHandleW(nullptr);
  for (UiLanguage language : {UiLanguage::kChinese, UiLanguage::kEnglish}) {
    SpokenLanguage speaking(language);
    for (UINT id : kTemplates) {
      EXPECT_NE(FindResourceExW(module, kDialogResourceType, MAKEINTRESOURCEW(id), ResourceLanguageOf(language)),
                nullptr)
          << "template " << id;
    }
    for (UINT id = IDS_ERROR_PARM; id <= IDS_SETTINGS_TOO_LARGE; ++id) {
      if (id == 202 || (id > IDS_HELP_FILE && id < IDS_NEWS_FETCHING)) continue;  // numbers no text has
      EXPECT_FALSE(AfxLoadStringW(module, id).IsEmpty()) << id;
    }
  }
}

INT_PTR CALLBACK DoNothing(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Each label, check box and button of the templates holds its text on one
// line, as the user's font draws it.
void ExpectNoTextCut(UiLanguage language) {
  SpokenLanguage speaking(language);
  HMODULE module = GetModuleHandleW(nullptr);
  for (UINT id : kTemplates) {
    const auto* dialogTemplate =
        static_cast<const DLGTEMPLATE*>(AfxLoadResource(module, kDialogResourceType, MAKEINTRESOURCEW(id)));
    ASSERT_NE(dialogTemplate, nullptr);
    HWND dialog = CreateDialogIndirectParamW(module, dialogTemplate, nullptr, DoNothing, 0);
    ASSERT_NE(dialog, nullptr) << id;
    HDC dc = GetDC(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t className[32] = L"", text[512] = L"";
      GetClassNameW(child, className, 32);
      GetWindowTextW(child, text, 512);
      const bool button = lstrcmpiW(className, L"Button") == 0;
      if (!text[0] || (!button && lstrcmpiW(className, L"Static") != 0)) continue;
      if (!button && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
      HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
      RECT needed = {0, 0, 0, 0};
      DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
      SelectObject(dc, previous);
      RECT client;
      GetClientRect(child, &client);
      const LONG style = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
      const bool checkBox = button && (style == BS_AUTOCHECKBOX || style == BS_CHECKBOX);
      // A check box's box and the gap after it; a push button's frame.
      const int room = client.right - (checkBox ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : button ? 6 : 0);
      EXPECT_LE(needed.right, room) << "template " << id << ": \"" << std::string(automation::TextOf(child)) << "\"";
    }
    ReleaseDC(dialog, dc);
    DestroyWindow(dialog);
  }
}

TEST(UiLanguageTest, NoTextOfTheTemplatesIsCutInEitherLanguage) {
  ExpectNoTextCut(UiLanguage::kEnglish);
  ExpectNoTextCut(UiLanguage::kChinese);
}

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

// The main dialog in this process, which opens its notification icon's menu
// as a right click on the icon does, and ends once the menu is read.
class TrayMenuProbeDialog : public CSwitcherDlg {
 public:
  using CSwitcherDlg::CSwitcherDlg;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CSwitcherDlg::OnInitDialog();
    PostMessageW(m_hWnd, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN);
    return result;
  }
};

std::vector<std::wstring> ItemsOf(HMENU menu) {
  std::vector<std::wstring> items;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    wchar_t text[128] = L"";
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    items.push_back(text);
  }
  return items;
}

TEST(UiLanguageTest, TheNotificationMenuAndTheSystemMenuSpeakEnglish) {
  SpokenLanguage speaking(UiLanguage::kEnglish);
  ScratchContext context("tray menu test");
  TrayMenuProbeDialog dialog(context);
  std::vector<std::wstring> trayItems, systemItems;
  std::thread driver([&] {
    HWND menuWindow = nullptr;
    automation::WaitUntil([&] {
      menuWindow = automation::FindTopLevel(GetCurrentProcessId(), "#32768", nullptr, true);
      return menuWindow != nullptr;
    });
    if (menuWindow) {
      trayItems = ItemsOf(reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0)));
      PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    HWND main = dialog.GetSafeHwnd();
    systemItems = ItemsOf(GetSystemMenu(main, FALSE));
    PostMessageW(main, WM_COMMAND, IDC_BUTTON_EXIT, 0);
  });
  dialog.DoModal();
  driver.join();

  const std::vector<std::wstring> expectedTray = {L"&Settings", L"", L"&About Panorel", L"E&xit Panorel"};
  EXPECT_EQ(trayItems, expectedTray);
  ASSERT_FALSE(systemItems.empty());
  EXPECT_EQ(systemItems.back(), L"&About Panorel...");
}

}  // namespace
