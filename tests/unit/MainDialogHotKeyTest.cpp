// The main dialog's hotkey on a real dialog in this process: registering
// twice replaces, and releasing lets go of the hotkey and of its atom.
#include <gtest/gtest.h>

#include <functional>

#include "tests/automation/Panorel.h"
#include "tests/unit/ScratchContext.h"
#include "ui/SwitcherDlg.h"

namespace {

struct HotKeyProbe {
  UINT modifiers, key;
  bool free;
};

DWORD WINAPI TryHotKey(void* param) {
  auto* probe = static_cast<HotKeyProbe*>(param);
  probe->free = RegisterHotKey(nullptr, 1, probe->modifiers, probe->key) != FALSE;
  if (probe->free) UnregisterHotKey(nullptr, 1);
  return 0;
}

// Whether another thread could take this combination right now.
bool IsFree(UINT modifiers, UINT key) {
  HotKeyProbe probe{modifiers, key, false};
  HANDLE thread = CreateThread(nullptr, 0, TryHotKey, &probe, 0, nullptr);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  return probe.free;
}

// Runs checks from inside the dialog once it has initialised, then ends it.
class HotKeyProbeDialog : public CSwitcherDlg {
 public:
  HotKeyProbeDialog(CAppContext& app, std::function<void(HotKeyProbeDialog&)> checks)
      : CSwitcherDlg(app), m_checks(std::move(checks)) {}
  using CSwitcherDlg::RemoveHotKey;
  using CSwitcherDlg::SetupHotKey;

 protected:
  BOOL OnInitDialog() override {
    CSwitcherDlg::OnInitDialog();
    m_checks(*this);
    RemoveHotKey();
    EndDialog(IDOK);
    return TRUE;
  }

 private:
  std::function<void(HotKeyProbeDialog&)> m_checks;
};

TEST(MainDialogHotKeyTest, SettingUpTwiceLeavesExactlyOneHotKeyAndOneAtom) {
  ScratchContext context("hotkey test");
  const char atomName[] = "hotkey testPanorel-HotKeyAtom";
  HotKeyProbeDialog dialog(context, [&](HotKeyProbeDialog& self) {
    EXPECT_FALSE(IsFree(MOD_CONTROL, VK_F1)) << "registered at start from the defaults";

    EXPECT_TRUE(self.SetupHotKey(VK_F7, MOD_ALT | MOD_SHIFT));
    EXPECT_TRUE(self.SetupHotKey(VK_F8, MOD_ALT | MOD_SHIFT));
    EXPECT_TRUE(IsFree(MOD_CONTROL, VK_F1)) << "the start-up hotkey was replaced";
    EXPECT_TRUE(IsFree(MOD_ALT | MOD_SHIFT, VK_F7)) << "the first replacement was replaced too";
    EXPECT_FALSE(IsFree(MOD_ALT | MOD_SHIFT, VK_F8));

    // One reference to the atom: a single delete removes it.
    const ATOM atom = GlobalFindAtomA(atomName);
    ASSERT_NE(atom, 0);
    GlobalAddAtomA(atomName);  // our own reference, so that the check can take one away
    GlobalDeleteAtom(atom);
    self.RemoveHotKey();
    EXPECT_EQ(GlobalFindAtomA(atomName), 0) << "released with the hotkey";
    EXPECT_TRUE(IsFree(MOD_ALT | MOD_SHIFT, VK_F8));
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

}  // namespace
