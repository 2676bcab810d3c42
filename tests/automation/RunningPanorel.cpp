#include "tests/automation/RunningPanorel.h"

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

bool RunningPanorel::ShowBySecondStart() {
  Process second(std::string("\"") + m_panorel.ExePath() + "\"", m_panorel.Folder().Path());
  if (!second.WaitForExit()) return false;
  return WaitUntil([&] { return IsWindowVisible(m_dialog) && GetForegroundWindow() == m_dialog; }, 5000);
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
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                 error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = text ? text : "";
  LocalFree(text);
  return result;
}

}  // namespace automation
