#include "tests/automation/RunningPanorel.h"

#include "framework/SystemError.h"

#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace automation {

namespace {

constexpr int kHeldHotKeyId = 77;

}  // namespace

RunningPanorel::RunningPanorel(SetupValues setup, const std::string& exeName) : m_panorel(exeName) {
  m_panorel.AcceptAgreement();
  for (const auto& [key, value] : setup) m_panorel.WriteIni("Setup", key, value);
  m_dialog = WaitForStartedDialog(m_panorel.Start());
}

RunningPanorel::~RunningPanorel() {
  if (m_panorel.process().IsRunning()) m_panorel.Exit();
}

bool RunningPanorel::ShowBySecondStart() { return automation::ShowBySecondStart(m_panorel, m_dialog); }

bool ShowBySecondStart(const PanorelInstance& running, HWND dialog) {
  Process second(L"\"" + running.ExePathW() + L"\"", running.ProgramFolderW());
  if (!second.WaitForExit()) return false;
  return WaitUntil([&] { return IsWindowVisible(dialog) && GetForegroundWindow() == dialog; }, 5000);
}

HWND WaitForStartedDialog(const Process& process) {
  HWND dialog = WaitForTopLevel(process.Id(), "#32770", kMainTitle, false, 15000);
  if (dialog) WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000);
  return dialog;
}

void SwitchOnce(HWND dialog) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(dialog, WM_HOTKEY, 0, 0, SMTO_NORMAL, 30000, &result);
}

HeldHotKey::HeldHotKey(UINT modifiers, UINT key)
    : m_held(RegisterHotKey(nullptr, kHeldHotKeyId, modifiers, key) != FALSE) {}

HeldHotKey::~HeldHotKey() {
  if (m_held) UnregisterHotKey(nullptr, kHeldHotKeyId);
}

bool IsHotKeyTaken(UINT modifiers, UINT key) { return !HeldHotKey(modifiers, key).IsHeld(); }

std::string SystemErrorText(DWORD error) {
  std::string text = ::SystemErrorText(error).GetString();
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

}  // namespace automation
