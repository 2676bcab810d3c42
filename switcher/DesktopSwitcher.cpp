#include "switcher/DesktopSwitcher.h"

#include <algorithm>

#include "settings/SettingsStore.h"
#include "switcher/GiveBack.h"
#include "switcher/WindowEntry.h"
#include "switcher/WindowPings.h"

namespace {

// How long one switch, move or exit waits for other programs' answers, all
// of them together.
constexpr DWORD kAnswerDeadlineMs = 1000;
// How long a window that has not answered yet keeps those after it waiting,
// so that windows come back in their order.
constexpr DWORD kHoldBackMs = 100;

// A flag that is set for as long as the scope lasts.
class CBusyScope {
 public:
  explicit CBusyScope(bool& flag) : m_flag(flag) { m_flag = true; }
  ~CBusyScope() { m_flag = false; }
  CBusyScope(const CBusyScope&) = delete;
  CBusyScope& operator=(const CBusyScope&) = delete;

 private:
  bool& m_flag;
};

bool Contains(const std::vector<HWND>& windows, HWND window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

}  // namespace

CDesktopSwitcher::CDesktopSwitcher(CAppContext& app)
    : m_app(app), m_recoveryFiles(app.GetIniPath(), PerUserRecoveryFolder()) {}

bool CDesktopSwitcher::IsSwitchable(HWND window) const {
  if (window == m_hOwnWindow || window == m_hProgman || window == m_hTrayWnd) return false;
  // A second taskbar (another screen's, or another shell's) is the shell's
  // to show and hide too.
  return IsWindowVisible(window) != FALSE && !IsShellWindow(window);
}

void CDesktopSwitcher::FindShellWindows() {
  m_hTrayWnd = FindWindowA("Shell_TrayWnd", nullptr);
  m_hProgman = FindWindowA("Progman", nullptr);
}

CPinnedPrograms CDesktopSwitcher::ReadPinnedPrograms() const {
  return CPinnedPrograms(PeekSetting(m_app.GetIniPath(), setting::kPinned));
}

void CDesktopSwitcher::SwitchDesktop() {
  if (m_bBusy) return;
  CBusyScope busy(m_bBusy);
  m_bStopHiding = false;
  ++m_nSwitchNumber;
  const DWORD deadline = GetTickCount() + kAnswerDeadlineMs;
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
  const std::vector<HWND> toHide = WindowsToHide(topLevel, to);
  SaveRecoveryRecord(toHide, splitIcons);

  if (splitIcons) m_trayButtons.SwitchTrayIcons(from, to);

  m_nActiveDesktop = to;
  std::vector<HWND> hidden, answered;
  ShowAndHideAsAnswered(WindowsToShow(to), toHide, deadline, &hidden, &answered);
  HWND wasActive = m_activeWhenLeft[to];
  if (wasActive && IsWindowVisible(wasActive) && WindowsOf(to).Find(EntryOf(wasActive)) >= 0) {
    SetForegroundWindow(wasActive);
  }

  // New windows that answered belong to the desktop being left, recorded in
  // the order the platform listed them.
  CDWordArrayEx& leaving = WindowsOf(from);
  for (HWND window : topLevel) {
    const DWORD entry = EntryOf(window);
    if (Contains(answered, window) && leaving.Find(entry) < 0 && WindowsOf(to).Find(entry) < 0) leaving.Add(entry);
  }
  // Its stack, top first, as the platform listed it.
  m_stackWhenLeft[from].clear();
  for (HWND window : topLevel) {
    if (Contains(hidden, window)) m_stackWhenLeft[from].push_back(window);
  }
  m_activeWhenLeft[from] = Contains(hidden, active) ? active : nullptr;
  RecordHiddenNow();
}

std::vector<HWND> CDesktopSwitcher::WindowsToShow(int to) const {
  const CDWordArrayEx& entering = to == 0 ? m_arrDesk1Windows : m_arrDesk2Windows;
  const std::vector<HWND>& stack = m_stackWhenLeft[to];
  // Windows the last leaving did not hide (a window busy then, hidden at an
  // earlier switch) go first, beneath those whose stacking is known. Only
  // windows this program hid are shown: a window its own program hid, or
  // never hid, is left as it is.
  std::vector<HWND> order;
  for (int i = 0; i < entering.GetSize(); ++i) {
    HWND window = WindowOf(entering.GetAt(i));
    if (IsHiddenByProgram(window) && !Contains(stack, window)) order.push_back(window);
  }
  for (auto window = stack.rbegin(); window != stack.rend(); ++window) {
    if (IsHiddenByProgram(*window)) order.push_back(*window);
  }
  return order;
}

std::vector<HWND> CDesktopSwitcher::WindowsToHide(const std::vector<HWND>& topLevel, int to) const {
  const CDWordArrayEx& entering = to == 0 ? m_arrDesk1Windows : m_arrDesk2Windows;
  // From the bottom of the stack up: hiding the topmost first would hand
  // activation down the stack at every step, which costs the platform
  // several times the hiding itself.
  std::vector<HWND> order;
  for (auto window = topLevel.rbegin(); window != topLevel.rend(); ++window) {
    if (IsSwitchable(*window) && entering.Find(EntryOf(*window)) < 0) order.push_back(*window);
  }
  return order;
}

void CDesktopSwitcher::ShowAndHideAsAnswered(const std::vector<HWND>& toShow, const std::vector<HWND>& toHide,
                                             DWORD deadline, std::vector<HWND>* hidden,
                                             std::vector<HWND>* answered) {
  std::vector<HWND> asked = toShow;
  asked.insert(asked.end(), toHide.begin(), toHide.end());
  std::weak_ptr<char> engine = m_lifetime;
  const unsigned switchNumber = m_nSwitchNumber;
  CWindowPings pings(asked, [this, engine, switchNumber](HWND window, LRESULT reply) {
    if (!engine.expired()) OnLateReply(window, reply, switchNumber);
  });

  // Each list goes in its own order, so that the shown windows stack as
  // they did when their desktop was left: a window still to answer holds
  // back those after it, but only briefly, since a program that answers at
  // all answers in far less; after that each goes as its answer comes.
  const DWORD holdBackEnd = GetTickCount() + kHoldBackMs;
  std::vector<HWND> shown;
  auto show = [&](size_t index, CPingReply reply) {
    if (reply == CPingReply::kZero) ShowAnswered(asked[index], &shown);
  };
  auto hide = [&](size_t index, CPingReply reply) {
    if (reply != CPingReply::kGivenUp) answered->push_back(asked[index]);
    if (reply == CPingReply::kZero && !m_bStopHiding) HideAnswered(asked[index], hidden);
  };
  auto goOn = [&] {
    const bool holdBack = TimeLeftUntil(holdBackEnd) > 0;
    pings.TakeInOrder(0, toShow.size(), holdBack, show);
    pings.TakeInOrder(toShow.size(), asked.size(), holdBack, hide);
  };
  goOn();
  while (!pings.AllSettled()) {
    const bool holdingBack = TimeLeftUntil(holdBackEnd) > 0;
    if (!pings.WaitForMore(holdingBack ? holdBackEnd : deadline) && !holdingBack) break;
    goOn();
  }
  // A window that has not answered by now is left as it is: met again at
  // the next switch, or shown when it answers while its desktop is entered.
  pings.GiveUpPending();
  goOn();

  WaitAnsweringSentMessages(deadline, [&] {
    auto visibleIs = [](bool wanted) { return [wanted](HWND w) { return (IsWindowVisible(w) != FALSE) == wanted; }; };
    return std::all_of(shown.begin(), shown.end(), visibleIs(true)) &&
           std::all_of(hidden->begin(), hidden->end(), visibleIs(false));
  });
}

void CDesktopSwitcher::ShowAnswered(HWND window, std::vector<HWND>* shown) {
  // Without activation, so that the activations do not turn the stack over;
  // queued, so that no window's thread holds up the others.
  ShowWindowAsync(window, SW_SHOWNA);
  MarkHidden(window, false);
  shown->push_back(window);
}

void CDesktopSwitcher::HideAnswered(HWND window, std::vector<HWND>* hidden) {
  ShowWindowAsync(window, SW_HIDE);
  MarkHidden(window, true);
  hidden->push_back(window);
}

void CDesktopSwitcher::OnLateReply(HWND window, LRESULT reply, unsigned switchNumber) {
  // Only while the desktop it was to be shown on is still the one entered
  // last: once the user has left it, the window stays with it.
  if (reply != 0 || switchNumber != m_nSwitchNumber || m_bStopHiding) return;
  if (!IsHiddenByProgram(window) || WindowsOf(m_nActiveDesktop).Find(EntryOf(window)) < 0) return;
  ShowWindowAsync(window, SW_SHOWNA);
  MarkHidden(window, false);
  RecordHiddenNow();
}

bool CDesktopSwitcher::MoveForegroundWindow() {
  if (m_bBusy) return false;
  CBusyScope busy(m_bBusy);
  const DWORD deadline = GetTickCount() + kAnswerDeadlineMs;
  FindShellWindows();
  HWND window = GetForegroundWindow();
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (!window || processId == GetCurrentProcessId() || !IsSwitchable(window)) return false;
  if (ReadPinnedPrograms().IsPinned(window)) return false;
  // Only a window that answers, and answers as one that lets itself be
  // hidden, is moved: the record names it before it goes.
  CWindowPings ping({window});
  ping.WaitForAll(deadline);
  if (ping.ReplyOf(0) != CPingReply::kZero) return false;
  SaveRecoveryRecord({window}, false);
  // Hiding hands the activation to a window that the platform picks; the
  // user expects the one that was beneath.
  HWND below = GetWindow(window, GW_HWNDNEXT);
  while (below && !IsSwitchable(below)) below = GetWindow(below, GW_HWNDNEXT);
  ShowWindowAsync(window, SW_HIDE);
  MarkHidden(window, true);
  GiveToOtherDesktop(window);
  if (below) SetForegroundWindow(below);
  WaitAnsweringSentMessages(deadline, [window] { return !IsWindowVisible(window); });
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

void CDesktopSwitcher::ShowRememberedWindows() {
  // When the exit comes while a switch waits for answers, that switch hides
  // nothing more once this returns.
  m_bStopHiding = true;
  std::vector<HWND> windows;
  for (const CDWordArrayEx* list : {&m_arrDesk2Windows, &m_arrDesk1Windows}) {
    for (int i = 0; i < list->GetSize(); ++i) {
      if (IsHiddenByProgram(WindowOf(list->GetAt(i)))) windows.push_back(WindowOf(list->GetAt(i)));
    }
  }
  // Windows a switch under way has hidden and not listed yet.
  for (int i = 0; i < m_arrHiddenByProgram.GetSize(); ++i) {
    HWND window = WindowOf(m_arrHiddenByProgram.GetAt(i));
    if (!Contains(windows, window)) windows.push_back(window);
  }
  ShowAllAtOnce(windows);
  for (HWND window : windows) MarkHidden(window, false);
  if (!m_bBusy) m_bStopHiding = false;
}

void CDesktopSwitcher::ShowAllAtOnce(const std::vector<HWND>& windows) {
  const DWORD deadline = GetTickCount() + kAnswerDeadlineMs;
  CWindowPings pings(windows);
  pings.WaitForAll(deadline);
  std::vector<HWND> shown;
  for (size_t i = 0; i < windows.size(); ++i) {
    // A window that answers anything but 0 keeps its visibility; one that
    // is busy right now would stay hidden, lost to its user, so its show is
    // queued for when it pumps again.
    if (pings.ReplyOf(i) == CPingReply::kNonZero || !IsWindow(windows[i])) continue;
    ShowWindowAsync(windows[i], SW_SHOW);
    if (pings.ReplyOf(i) == CPingReply::kZero) shown.push_back(windows[i]);
  }
  WaitAnsweringSentMessages(deadline, [&] {
    return std::all_of(shown.begin(), shown.end(), [](HWND w) { return IsWindowVisible(w) != FALSE; });
  });
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
