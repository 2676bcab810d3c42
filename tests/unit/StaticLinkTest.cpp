// Links on a real dialog in this process: colours read back through the
// dialog's own colour request, hover and clicks made with real pointer
// input, targets the shell can and cannot open. Also the hand cursor's
// loading, from a module of the test's own.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/StaticLink.h"
#include "framework/Dialog.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/Wait.h"

using namespace automation;

namespace {

enum : WORD { kLinkOne = 101, kLinkTwo = 102, kFlagged = 103, kIconLink = 104, kPlain = 105 };

// A dialog template in memory, with a font so that statics have one.
class DialogTemplate {
 public:
  explicit DialogTemplate(WORD controlCount) {
    AddDword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE);
    AddDword(0);
    m_words.insert(m_words.end(), {controlCount, 20, 20, 200, 100, 0, 0});
    AddText(L"Links");
    m_words.push_back(9);
    AddText(L"Tahoma");
  }
  void AddStatic(WORD id, DWORD style, short x, short y, short cx, short cy, const wchar_t* text) {
    if (m_words.size() % 2) m_words.push_back(0);
    AddDword(WS_CHILD | WS_VISIBLE | style);
    AddDword(0);
    m_words.insert(m_words.end(), {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx),
                                   static_cast<WORD>(cy), id, 0xFFFF, 0x0082});
    AddText(text);
    m_words.push_back(0);
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

 private:
  void AddDword(DWORD value) { m_words.insert(m_words.end(), {LOWORD(value), HIWORD(value)}); }
  void AddText(const wchar_t* text) {
    for (; *text; ++text) m_words.push_back(static_cast<WORD>(*text));
    m_words.push_back(0);
  }
  std::vector<WORD> m_words;
};

// A link that counts the presses it receives and the failed launches it
// signals.
class CountingLink : public CStaticLink {
 public:
  int presses = 0;
  int failures = 0;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_LBUTTONDOWN) ++presses;
    return CStaticLink::WindowProc(message, wParam, lParam);
  }

 protected:
  void OnOpenFailed() override {
    ++failures;
    CStaticLink::OnOpenFailed();
  }
};

// Runs a scenario from inside the dialog's own modal loop, then closes it.
class LinkDialog : public CDialog {
 public:
  explicit LinkDialog(std::function<void(LinkDialog&)> scenario) : m_template(5), m_scenario(std::move(scenario)) {
    m_template.AddStatic(kLinkOne, SS_LEFT, 10, 10, 80, 10, L"link one");
    m_template.AddStatic(kLinkTwo, SS_LEFT, 10, 25, 80, 10, L"link two");
    m_template.AddStatic(kFlagged, SS_LEFT | SS_NOPREFIX, 10, 40, 80, 10, L"flagged");
    m_template.AddStatic(kIconLink, SS_ICON, 120, 10, 20, 20, L"");
    m_template.AddStatic(kPlain, SS_LEFT, 10, 70, 80, 10, L"plain");
    InitModalIndirect(m_template.Get());
  }

  CountingLink linkOne, linkTwo, flagged, iconLink;
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);

  HWND Item(int id) const { return GetDlgItem(id); }

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    SendDlgItemMessage(kIconLink, STM_SETICON, reinterpret_cast<WPARAM>(icon));
    linkOne.SubclassDlgItem(kLinkOne, this);
    linkTwo.SubclassDlgItem(kLinkTwo, this);
    flagged.SubclassDlgItem(kFlagged, this);
    iconLink.SubclassDlgItem(kIconLink, this);
    PostMessage(WM_APP);
    return TRUE;
  }
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message != WM_APP) return CDialog::OnWndMsg(message, wParam, lParam, result);
    WaitUntil([this] { return IsWindowVisible() != FALSE; }, 5000);
    m_scenario(*this);
    EndDialog(IDOK);
    return TRUE;
  }

 private:
  DialogTemplate m_template;
  std::function<void(LinkDialog&)> m_scenario;
};

void RunLinkDialog(const std::function<void(LinkDialog&)>& scenario) {
  bool ran = false;
  LinkDialog dialog([&](LinkDialog& d) {
    ran = true;
    scenario(d);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(ran);
}

// What the dialog answers when asked for a control's colours.
struct ColourAnswer {
  HBRUSH brush;
  COLORREF text;
  int backgroundMode;
  HGDIOBJ font;
};

ColourAnswer AskColours(const LinkDialog& dialog, int id) {
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  ColourAnswer answer;
  answer.brush = reinterpret_cast<HBRUSH>(
      SendMessageA(dialog.GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(dialog.Item(id))));
  answer.text = GetTextColor(dc);
  answer.backgroundMode = GetBkMode(dc);
  answer.font = GetCurrentObject(dc, OBJ_FONT);
  DeleteDC(dc);
  return answer;
}

COLORREF TextColour(const LinkDialog& dialog, int id) { return AskColours(dialog, id).text; }

POINT CentreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void SendMouse(POINT screen, DWORD buttons) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  SendInput(1, &input, sizeof input);
}

// Moves the pointer and makes sure it stays there: under load, a late event
// from the display can put the cursor back where it was.
void MovePointerTo(POINT screen) {
  WaitUntil(
      [&] {
        POINT now = {};
        GetCursorPos(&now);
        if (now.x == screen.x && now.y == screen.y) return true;
        SendMouse(screen, 0);
        return false;
      },
      3000);
}

// Moves the pointer to the middle of control once nothing else covers it
// there: a window that an earlier test's launch opened may still lie on top
// for a moment, and would take the input instead.
// Whether a visible window stacked above window lies over point. Asked of
// the stacking order, not by hit testing: a hit test would itself start a
// link's hover.
bool IsCoveredAt(HWND window, POINT point) {
  for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    RECT rect;
    if (IsWindowVisible(above) && GetWindowRect(above, &rect) && PtInRect(&rect, point)) return true;
  }
  return false;
}

POINT PointAt(HWND control) {
  const POINT screen = CentreOf(control);
  HWND dialog = GetAncestor(control, GA_ROOT);
  WaitUntil(
      [&] {
        if (!IsCoveredAt(dialog, screen)) return true;
        SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(dialog);
        return false;
      },
      3000);
  MovePointerTo(screen);
  return screen;
}

void ClickOn(HWND control) {
  const POINT screen = PointAt(control);
  SendMouse(screen, MOUSEEVENTF_LEFTDOWN);
  SendMouse(screen, MOUSEEVENTF_LEFTUP);
}

// Clicks link until it has been pressed. Under load a window of an earlier
// launch can still come up over the dialog between the check for cover and
// the click, and take the click instead.
void PressLink(CountingLink& link) {
  for (int attempt = 0; attempt < 3 && link.presses == 0; ++attempt) {
    ClickOn(link.GetSafeHwnd());
    WaitUntil([&] { return link.presses > 0; }, 3000);
  }
  ASSERT_EQ(link.presses, 1);
}

// A batch file's launch starts the command interpreter: seconds when the
// machine is busy.
constexpr DWORD kLaunchMs = 30000;

bool WaitForColour(const LinkDialog& dialog, int id, COLORREF colour) {
  return WaitUntil([&] { return TextColour(dialog, id) == colour; }, 3000);
}

// A target the shell opens by running it: a batch file that leaves a marker.
struct OpenableTarget {
  ScratchFolder folder;
  std::string batch = folder.File("open-me.bat");
  std::string marker = folder.File("opened.txt");
  OpenableTarget() { std::ofstream(batch) << "@echo opened> \"" << marker << "\"\r\n"; }
  bool WasOpened() const { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }
};

TEST(StaticLinkTest, TextLinksAreBlueOnTheParentsBackgroundInTheControlsOwnFont) {
  RunLinkDialog([](LinkDialog& dialog) {
    const ColourAnswer answer = AskColours(dialog, kLinkOne);
    EXPECT_EQ(answer.brush, GetStockObject(NULL_BRUSH));
    EXPECT_EQ(answer.text, g_crLinkNormal);
    EXPECT_EQ(answer.backgroundMode, TRANSPARENT);

    // A copy of the control's font, with nothing changed.
    HGDIOBJ controlFont = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog.Item(kLinkOne), WM_GETFONT, 0, 0));
    ASSERT_NE(controlFont, nullptr);
    EXPECT_NE(answer.font, controlFont);
    LOGFONTA original = {}, copy = {};
    GetObjectA(controlFont, sizeof original, &original);
    GetObjectA(answer.font, sizeof copy, &copy);
    EXPECT_EQ(memcmp(&original, &copy, sizeof copy), 0);
    EXPECT_EQ(AskColours(dialog, kLinkOne).font, answer.font) << "made once, then reused";
  });
}

TEST(StaticLinkTest, IconsAndFlaggedTextKeepTheParentsDefaultLook) {
  RunLinkDialog([](LinkDialog& dialog) {
    const ColourAnswer plain = AskColours(dialog, kPlain);
    for (int id : {kFlagged, kIconLink}) {
      const ColourAnswer answer = AskColours(dialog, id);
      EXPECT_EQ(answer.brush, plain.brush) << id;
      EXPECT_EQ(answer.text, plain.text) << id;
      EXPECT_EQ(answer.backgroundMode, plain.backgroundMode) << id;
    }
    EXPECT_EQ(dialog.iconLink.GetIcon(), dialog.icon);
  });
}

TEST(StaticLinkTest, HoverTurnsTheTextRedAndLeavingTurnsItBlueAgain) {
  RunLinkDialog([](LinkDialog& dialog) {
    PointAt(dialog.Item(kPlain));
    ASSERT_TRUE(WaitForColour(dialog, kLinkOne, g_crLinkNormal));
    PointAt(dialog.Item(kLinkOne));
    EXPECT_TRUE(WaitForColour(dialog, kLinkOne, g_crLinkHover));
    EXPECT_EQ(TextColour(dialog, kLinkTwo), g_crLinkNormal) << "only the link under the pointer";

    PointAt(dialog.Item(kLinkTwo));
    EXPECT_TRUE(WaitForColour(dialog, kLinkOne, g_crLinkNormal)) << "the leave check noticed";
    EXPECT_TRUE(WaitForColour(dialog, kLinkTwo, g_crLinkHover));
    PointAt(dialog.Item(kPlain));
    EXPECT_TRUE(WaitForColour(dialog, kLinkTwo, g_crLinkNormal));
  });
}

TEST(StaticLinkTest, AFailedLaunchBeepsAndKeepsTheHoverColour) {
  RunLinkDialog([](LinkDialog& dialog) {
    dialog.linkOne.m_target.m_strTarget = "Z:\\panorel-no-such-folder\\no-such-file.nothing";
    ClickOn(dialog.Item(kLinkOne));
    EXPECT_TRUE(WaitUntil([&] { return dialog.linkOne.failures == 1; }, 3000));
    PumpFor(300);
    EXPECT_EQ(dialog.linkOne.failures, 1);
    EXPECT_EQ(TextColour(dialog, kLinkOne), g_crLinkHover);
    EXPECT_TRUE(dialog.IsWindowVisible()) << "the dialog stays";
  });
}

TEST(StaticLinkTest, AnOpenedTargetTurnsTheTextPurpleUntilThePointerLeaves) {
  OpenableTarget target;
  RunLinkDialog([&](LinkDialog& dialog) {
    dialog.linkTwo.m_target.m_strTarget = target.batch.c_str();
    PressLink(dialog.linkTwo);
    EXPECT_TRUE(WaitForColour(dialog, kLinkTwo, g_crLinkClicked));
    EXPECT_TRUE(WaitUntil([&] { return target.WasOpened(); }, kLaunchMs));
    EXPECT_EQ(dialog.linkTwo.failures, 0);
    PointAt(dialog.Item(kPlain));
    EXPECT_TRUE(WaitForColour(dialog, kLinkTwo, g_crLinkNormal));
  });
}

TEST(StaticLinkTest, AnIconLinkOpensItsTarget) {
  OpenableTarget target;
  RunLinkDialog([&](LinkDialog& dialog) {
    dialog.iconLink.m_target.m_strTarget = target.batch.c_str();
    PressLink(dialog.iconLink);
    EXPECT_TRUE(WaitUntil([&] { return target.WasOpened(); }, kLaunchMs));
    EXPECT_EQ(dialog.iconLink.failures, 0);
    EXPECT_EQ(dialog.iconLink.GetIcon(), dialog.icon);
  });
}

TEST(StaticLinkTest, EveryLinkShowsTheSystemsHand) {
  const HCURSOR systemHand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
  ASSERT_NE(systemHand, nullptr);
  RunLinkDialog([&](LinkDialog& dialog) {
    for (int id : {kLinkOne, kLinkTwo, kIconLink}) {
      SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      const LRESULT answer = SendMessageA(dialog.Item(id), WM_SETCURSOR, reinterpret_cast<WPARAM>(dialog.Item(id)),
                                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      EXPECT_EQ(answer, TRUE) << id;
      EXPECT_EQ(GetCursor(), systemHand) << id;
    }
  });
}

// A link that tells when it is gone.
class WatchedLink : public CStaticLink {
 public:
  WatchedLink(BOOL autoDelete, bool& deleted) : CStaticLink(nullptr, autoDelete), m_deleted(deleted) {}
  ~WatchedLink() override { m_deleted = true; }

 private:
  bool& m_deleted;
};

HWND CreatePlainStatic() {
  return CreateWindowA("STATIC", "text", WS_POPUP | SS_LEFT, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
}

TEST(SubclassTest, ALinkThatOwnsItselfGoesWithItsWindow) {
  bool deleted = false;
  HWND window = CreatePlainStatic();
  ASSERT_NE(window, nullptr);
  auto* link = new WatchedLink(TRUE, deleted);
  ASSERT_TRUE(link->SubclassWindow(window));
  EXPECT_EQ(CWnd::FromHandlePermanent(window), link);
  EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, 0), HTCLIENT) << "the link answers";
  DestroyWindow(window);
  EXPECT_TRUE(deleted);
}

TEST(SubclassTest, AnObjectThatGoesFirstGivesTheControlBackItsOwnProcedure) {
  HWND window = CreatePlainStatic();
  ASSERT_NE(window, nullptr);
  const LONG_PTR ownProcedure = GetWindowLongPtrA(window, GWLP_WNDPROC);
  bool deleted = false;
  {
    WatchedLink link(FALSE, deleted);
    ASSERT_TRUE(link.SubclassWindow(window));
    EXPECT_NE(GetWindowLongPtrA(window, GWLP_WNDPROC), ownProcedure);
    WatchedLink second(FALSE, deleted);
    EXPECT_FALSE(second.SubclassWindow(window)) << "one object per window";
  }
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_WNDPROC), ownProcedure);
  EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
  EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, 0), HTTRANSPARENT) << "a plain static again";
  DestroyWindow(window);
}

}  // namespace
