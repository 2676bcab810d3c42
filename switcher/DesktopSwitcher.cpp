#include "switcher/DesktopSwitcher.h"

#include "settings/SettingsStore.h"
#include "switcher/WindowEntry.h"

namespace {

constexpr UINT kPingTimeoutMs = 1000;

}  // namespace

CDesktopSwitcher::CDesktopSwitcher(CAppContext& app) : m_app(app) {}

bool CDesktopSwitcher::IsSwitchable(HWND window) const {
  if (window == m_hOwnWindow || window == m_hProgman || window == m_hTrayWnd) return false;
  return IsWindowVisible(window) != FALSE;
}

bool CDesktopSwitcher::ShowIfResponsive(HWND window, int command) {
  // Abort-if-hung only: while waiting, this thread still answers what other
  // threads send it.
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPingTimeoutMs, &reply)) return false;
  // A window that answers WM_NULL with anything else keeps its visibility.
  if (reply == 0) ShowWindow(window, command);
  return true;
}

void CDesktopSwitcher::SwitchDesktop() {
  m_hTrayWnd = FindWindowA("Shell_TrayWnd", nullptr);
  m_hProgman = FindWindowA("Progman", nullptr);

  const int from = m_nActiveDesktop;
  const int to = 1 - from;
  if (IsYes(ReadSetting(m_app.GetIniPath(), "Setup", "HideElseIcon", "N"))) m_trayButtons.SwitchTrayIcons(from, to);

  m_nActiveDesktop = to;
  const CDWordArrayEx& entering = WindowsOf(to);
  const int count = entering.GetSize();
  for (int i = 0; i < count; ++i) ShowIfResponsive(WindowOf(entering.GetAt(i)), SW_SHOW);

  std::vector<HWND> topLevel;
  EnumWindows(SwitchEnumProc, reinterpret_cast<LPARAM>(&topLevel));

  // Windows are hidden from the bottom of the stack up: hiding the topmost
  // first would hand activation down the stack at every step, which costs
  // the platform several times the hiding itself. New windows are still
  // recorded in the order the platform listed them.
  std::vector<DWORD> answered;
  for (auto window = topLevel.rbegin(); window != topLevel.rend(); ++window) {
    if (IsSwitchable(*window) && SwitchWindow(*window)) answered.push_back(EntryOf(*window));
  }
  CDWordArrayEx& leaving = WindowsOf(from);
  for (auto entry = answered.rbegin(); entry != answered.rend(); ++entry) leaving.Add(*entry);
}

BOOL CALLBACK CDesktopSwitcher::SwitchEnumProc(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

bool CDesktopSwitcher::SwitchWindow(HWND window) {
  const int to = m_nActiveDesktop;
  const DWORD entry = EntryOf(window);
  if (WindowsOf(1 - to).Find(entry) >= 0) {
    ShowIfResponsive(window, SW_HIDE);
    return false;
  }
  if (WindowsOf(to).Find(entry) >= 0) {
    ShowIfResponsive(window, SW_SHOW);
    return false;
  }
  // A window that did not answer is met again at the next switch.
  return ShowIfResponsive(window, SW_HIDE);
}

void CDesktopSwitcher::ShowRememberedWindows() {
  ShowListForExit(m_arrDesk2Windows);
  ShowListForExit(m_arrDesk1Windows);
}

void CDesktopSwitcher::ShowListForExit(const CDWordArrayEx& windows) {
  const int count = windows.GetSize();
  for (int i = 0; i < count; ++i) {
    HWND window = WindowOf(windows.GetAt(i));
    // A window that is busy right now would stay hidden after the program
    // has gone, lost to its user: queue the show for when it pumps again.
    if (!ShowIfResponsive(window, SW_SHOW) && IsWindow(window)) ShowWindowAsync(window, SW_SHOW);
  }
}
