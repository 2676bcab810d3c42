// The dialog base on real dialogs: messages reach the typed handlers, what
// nobody handles gets the dialog manager's own treatment, and nesting works.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/Handles.h"

namespace {

// A dialog template in memory: caption, system menu, no controls.
struct EmptyTemplate {
  DLGTEMPLATE header = {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 0, 0, 100, 50};
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

// Runs checks from inside its own modal loop, then ends itself.
class ProbeDialog : public CDialog {
 public:
  ProbeDialog() { InitModalIndirect(&m_template.header); }

  std::vector<UINT> timers;
  int okCount = 0;
  int cancelCount = 0;
  LRESULT iconAfterSet = 0;
  LRESULT nestedResult = 0;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    iconAfterSet = SendMessage(WM_GETICON, ICON_BIG, 0) == reinterpret_cast<LRESULT>(icon);
    SetTimer(7, 10);
    return TRUE;
  }
  void OnTimer(UINT_PTR id) override {
    KillTimer(id);
    timers.push_back(static_cast<UINT>(id));
    // A message handled while another is being handled.
    nestedResult = SendMessage(WM_APP, 0, 0);
    SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == WM_APP) {
      *result = 42;
      return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
  }
  void OnOK() override { ++okCount; }
  void OnCancel() override {
    ++cancelCount;
    EndDialog(IDCANCEL);
  }

 private:
  EmptyTemplate m_template;
};

// Paints through CPaintDC when asked, then asks whether anything is left to
// paint: a scope that did not end the paint leaves the window invalid.
class PaintProbeDialog : public CDialog {
 public:
  PaintProbeDialog() { InitModalIndirect(&m_template.header); }

  bool gotDc = false;
  BOOL leftToPaint = TRUE;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    SetTimer(1, 10);
    return TRUE;
  }
  void OnTimer(UINT_PTR id) override {
    // A dialog is shown once its loop first goes idle, which the first tick
    // can beat; nothing is painted before that. Bounded, so that a dialog
    // that never shows fails instead of hanging.
    if (!IsWindowVisible() && ++m_ticksBeforeShown < kMaxTicksBeforeShown) return;
    KillTimer(id);
    Invalidate();
    ::UpdateWindow(m_hWnd);
    leftToPaint = ::GetUpdateRect(m_hWnd, nullptr, FALSE);
    EndDialog(IDOK);
  }
  void OnPaint() override {
    CPaintDC dc(m_hWnd);
    gotDc = dc.Get() != nullptr;
  }

 private:
  static constexpr int kMaxTicksBeforeShown = 500;
  int m_ticksBeforeShown = 0;
  EmptyTemplate m_template;
};

TEST(DialogTest, APaintScopeValidatesWhatItPainted) {
  PaintProbeDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.gotDc);
  EXPECT_FALSE(dialog.leftToPaint);
}

TEST(DialogTest, MessagesReachTheTypedHandlersAndTheRestTheDialogManager) {
  ProbeDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(dialog.iconAfterSet) << "WM_SETICON and WM_GETICON went to the dialog manager";
  EXPECT_EQ(dialog.timers, std::vector<UINT>{7});
  EXPECT_EQ(dialog.nestedResult, 42);
  EXPECT_EQ(dialog.okCount, 1);
  EXPECT_EQ(dialog.cancelCount, 1);
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr) << "detached once destroyed";
}

}  // namespace
