#include "switcher/DesktopSwitcher.h"

#include <algorithm>

#include "settings/SettingsStore.h"
#include "switcher/GiveBack.h"
#include "switcher/WindowEntry.h"

namespace {

constexpr UINT kPingTimeoutMs = 1000;

}  // namespace

CDesktopSwitcher::CDesktopSwitcher(CAppContext& app)
    : m_app(app), m_recoveryFiles(app.GetIniPath(), PerUserRecoveryFolder()) {}

bool CDesktopSwitcher::IsSwitchable(HWND window) const {
  if (window == m_hOwnWindow || window == m_hProgman || window == m_hTrayWnd) return false;
  // A second taskbar (another screen's, or another shell's) is the shell's
  // to show and hide too.
  return IsWindowVisible(window) != FALSE && !IsShellWindow(window);
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

void CDesktopSwitcher::FindShellWindows() {
  m_hTrayWnd = FindWindowA("Shell_TrayWnd", nullptr);
  m_hProgman = FindWindowA("Progman", nullptr);
}

CPinnedPrograms CDesktopSwitcher::ReadPinnedPrograms() const {
  return CPinnedPrograms(PeekSetting(m_app.GetIniPath(), setting::kPinned));
}

void CDesktopSwitcher::SwitchDesktop() {
  FindShellWindows();

  const int from = m_nActiveDesktop;
  const int to = 1 - from;
  const bool splitIcons = IsYes(ReadSetting(m_app.GetIniPath(), setting::kHideElseIcon));
  const HWND active = GetForegroundWindow();

  std::vector<HWND> topLevel;
  EnumWindows(SwitchEnumProc, reinterpret_cast<LPARAM>(&topLevel));
  CPinnedPrograms pinned = ReadPinnedPrograms();
  if (!pinned.IsEmpty()) {
    // A pinned program's windows take no part at all, as if they were not
    // there.
    topLevel.erase(std::remove_if(topLevel.begin(), topLevel.end(),
                                  [&](HWND window) { return IsSwitchable(window) && pinned.IsPinned(window); }),
                   topLevel.end());
  }
  // Every visible window not of the desktop being entered may be hidden by
  // this switch: it goes on disk first.
  std::vector<HWND> aboutToHide;
  for (HWND window : topLevel) {
    if (IsSwitchable(window) && WindowsOf(to).Find(EntryOf(window)) < 0) aboutToHide.push_back(window);
  }
  SaveRecoveryRecord(aboutToHide, splitIcons);

  if (splitIcons) m_trayButtons.SwitchTrayIcons(from, to);

  m_nActiveDesktop = to;
  ShowEnteredDesktop(to);

  // Windows are hidden from the bottom of the stack up: hiding the topmost
  // first would hand activation down the stack at every step, which costs
  // the platform several times the hiding itself. New windows are still
  // recorded in the order the platform listed them.
  std::vector<DWORD> answered;
  std::vector<HWND> hidden;
  for (auto window = topLevel.rbegin(); window != topLevel.rend(); ++window) {
    if (!IsSwitchable(*window)) continue;
    const bool isNew = SwitchWindow(*window);
    if (isNew) answered.push_back(EntryOf(*window));
    if (!IsWindowVisible(*window) && IsHiddenByProgram(*window)) hidden.push_back(*window);
  }
  CDWordArrayEx& leaving = WindowsOf(from);
  for (auto entry = answered.rbegin(); entry != answered.rend(); ++entry) leaving.Add(*entry);

  m_stackWhenLeft[from].assign(hidden.rbegin(), hidden.rend());
  const bool activeWasHidden = std::find(hidden.begin(), hidden.end(), active) != hidden.end();
  m_activeWhenLeft[from] = activeWasHidden ? active : nullptr;
  RecordHiddenNow();
}

bool CDesktopSwitcher::MoveForegroundWindow() {
  FindShellWindows();
  HWND window = GetForegroundWindow();
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (!window || processId == GetCurrentProcessId() || !IsSwitchable(window)) return false;
  if (ReadPinnedPrograms().IsPinned(window)) return false;
  // Only a window that answers, and answers as one that lets itself be
  // hidden, is moved: the record names it before it goes.
  DWORD_PTR reply = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPingTimeoutMs, &reply) || reply != 0) {
    return false;
  }
  SaveRecoveryRecord({window}, false);
  // Hiding hands the activation to a window that the platform picks; the
  // user expects the one that was beneath.
  HWND below = GetWindow(window, GW_HWNDNEXT);
  while (below && !IsSwitchable(below)) below = GetWindow(below, GW_HWNDNEXT);
  ShowWindow(window, SW_HIDE);
  if (IsWindowVisible(window)) {
    RecordHiddenNow();
    return false;
  }
  MarkHidden(window, true);
  GiveToOtherDesktop(window);
  if (below) SetForegroundWindow(below);
  RecordHiddenNow();
  return true;
}

void CDesktopSwitcher::GiveToOtherDesktop(HWND window) {
  const int other = 1 - m_nActiveDesktop;
  const DWORD entry = EntryOf(window);
  CDWordArrayEx& active = WindowsOf(m_nActiveDesktop);
  const int index = active.Find(entry);
  if (index >= 0) active.RemoveAt(index);
  if (WindowsOf(other).Find(entry) < 0) WindowsOf(other).Add(entry);
  // It was in front when it went: it is in front when its desktop returns.
  std::vector<HWND>& stack = m_stackWhenLeft[other];
  stack.erase(std::remove(stack.begin(), stack.end(), window), stack.end());
  stack.insert(stack.begin(), window);
}

void CDesktopSwitcher::ShowEnteredDesktop(int to) {
  const CDWordArrayEx& entering = WindowsOf(to);
  const std::vector<HWND>& stack = m_stackWhenLeft[to];
  // Windows the last leaving did not hide (a window busy then, hidden at an
  // earlier switch) go first, beneath those whose stacking is known.
  std::vector<HWND> order;
  for (int i = 0; i < entering.GetSize(); ++i) {
    HWND window = WindowOf(entering.GetAt(i));
    if (IsHiddenByProgram(window) && std::find(stack.begin(), stack.end(), window) == stack.end()) {
      order.push_back(window);
    }
  }
  for (auto window = stack.rbegin(); window != stack.rend(); ++window) {
    if (IsHiddenByProgram(*window)) order.push_back(*window);
  }
  // Each window shown goes to the top of the stack; showing without
  // activating keeps the stack from being turned over by the activations.
  for (HWND window : order) {
    if (ShowIfResponsive(window, SW_SHOWNA)) MarkHidden(window, false);
  }
  HWND active = m_activeWhenLeft[to];
  if (active && IsWindowVisible(active) && entering.Find(EntryOf(active)) >= 0) SetForegroundWindow(active);
}

bool CDesktopSwitcher::IsHiddenByProgram(HWND window) const { return m_arrHiddenByProgram.Find(EntryOf(window)) >= 0; }

void CDesktopSwitcher::MarkHidden(HWND window, bool hidden) {
  const int index = m_arrHiddenByProgram.Find(EntryOf(window));
  if (hidden && index < 0) m_arrHiddenByProgram.Add(EntryOf(window));
  if (!hidden && index >= 0) m_arrHiddenByProgram.RemoveAt(index);
}

BOOL CALLBACK CDesktopSwitcher::SwitchEnumProc(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

bool CDesktopSwitcher::SwitchWindow(HWND window) {
  const int to = m_nActiveDesktop;
  const DWORD entry = EntryOf(window);
  if (WindowsOf(to).Find(entry) >= 0) {
    // Already visible: a plain show leaves it as it is, where a show without
    // activation would still cost the window's thread a round trip.
    ShowIfResponsive(window, SW_SHOW);
    return false;
  }
  const bool isNew = WindowsOf(1 - to).Find(entry) < 0;
  // A window that did not answer is met again at the next switch.
  const bool answered = ShowIfResponsive(window, SW_HIDE);
  if (answered && !IsWindowVisible(window)) MarkHidden(window, true);
  return isNew && answered;
}

void CDesktopSwitcher::ShowRememberedWindows() {
  ShowListForExit(m_arrDesk2Windows);
  ShowListForExit(m_arrDesk1Windows);
}

void CDesktopSwitcher::ShowListForExit(const CDWordArrayEx& windows) {
  const int count = windows.GetSize();
  for (int i = 0; i < count; ++i) {
    HWND window = WindowOf(windows.GetAt(i));
    if (!IsHiddenByProgram(window)) continue;
    // A window that is busy right now would stay hidden after the program
    // has gone, lost to its user: queue the show for when it pumps again.
    if (!ShowIfResponsive(window, SW_SHOW) && IsWindow(window)) ShowWindowAsync(window, SW_SHOW);
    MarkHidden(window, false);
  }
}

void CDesktopSwitcher::ShowEverythingOnError() {
  for (int i = 0; i < m_arrHiddenByProgram.GetSize(); ++i) {
    HWND window = WindowOf(m_arrHiddenByProgram.GetAt(i));
    if (IsWindow(window)) ShowWindowAsync(window, SW_SHOW);
  }
  if (m_bButtonsTouched) m_trayButtons.ShowAllTrayButtons();
}

void CDesktopSwitcher::SaveRecoveryRecord(const std::vector<HWND>& aboutToHide, bool buttonsAboutToHide) {
  CRecoveryRecord record;
  auto add = [&record](HWND window) {
    CHiddenWindowRecord recorded = DescribeWindow(window);
    // A window gone already has nothing left to give back, and the
    // program's own go with it.
    if (!recorded.className.empty() && recorded.processId != GetCurrentProcessId()) record.windows.push_back(recorded);
  };
  for (int i = 0; i < m_arrHiddenByProgram.GetSize(); ++i) add(WindowOf(m_arrHiddenByProgram.GetAt(i)));
  for (HWND window : aboutToHide) {
    if (!IsHiddenByProgram(window)) add(window);
  }
  m_bButtonsTouched = m_bButtonsTouched || buttonsAboutToHide;
  record.buttonsHidden = m_bButtonsTouched;
  for (const CTrayButton& button : m_trayButtons.HiddenUnownedButtons()) {
    record.unownedButtons.push_back({EntryOf(button.toolbar), static_cast<DWORD>(button.commandId)});
  }
  m_recoveryFiles.Write(record);
}

void CDesktopSwitcher::DiscardRecoveryRecord() { m_recoveryFiles.Remove(); }

void CDesktopSwitcher::RestoreFromEarlierRun() {
  CRecoveryRecord record;
  if (m_recoveryFiles.Read(&record)) GiveBackRecord(record, m_trayButtons);
  // A record that cannot be read is of no use to anyone.
  m_recoveryFiles.Remove();
}
