#include "switcher/WindowPings.h"

#include <algorithm>

namespace {

// How often a wait for other windows' state looks again: their changes send
// this thread nothing.
constexpr DWORD kLookAgainMs = 5;

// Lets the platform deliver to this thread what was sent to it and the
// replies to its own pings, leaving posted messages in the queue.
void AnswerSentMessages() {
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

}  // namespace

struct CWindowPings::Round {
  std::vector<HWND> windows;
  std::vector<CPingReply> replies;
  LateReplyHandler onLateReply;
  size_t repliesReceived = 0;
};

CWindowPings::CWindowPings(const std::vector<HWND>& windows, LateReplyHandler onLateReply)
    : m_round(std::make_shared<Round>()), m_taken(windows.size(), false) {
  m_round->windows = windows;
  m_round->replies.assign(windows.size(), CPingReply::kPending);
  m_round->onLateReply = std::move(onLateReply);
  for (size_t i = 0; i < windows.size(); ++i) {
    auto* ticket = new Ticket{m_round, i};
    if (!SendMessageCallbackW(windows[i], WM_NULL, 0, 0, OnReply, reinterpret_cast<ULONG_PTR>(ticket))) {
      // A window gone already never replies.
      delete ticket;
      m_round->replies[i] = CPingReply::kGivenUp;
    } else if (IsHungAppWindow(windows[i])) {
      m_round->replies[i] = CPingReply::kGivenUp;
    }
  }
}

CWindowPings::~CWindowPings() { GiveUpPending(); }

size_t CWindowPings::Count() const { return m_round->replies.size(); }

CPingReply CWindowPings::ReplyOf(size_t index) const { return m_round->replies[index]; }

bool CWindowPings::AllSettled() const {
  const auto& replies = m_round->replies;
  return std::find(replies.begin(), replies.end(), CPingReply::kPending) == replies.end();
}

bool CWindowPings::WaitForMore(DWORD deadline) {
  const size_t before = m_round->repliesReceived;
  while (!AllSettled()) {
    // A reply may already be waiting: it is delivered before the wait.
    AnswerSentMessages();
    if (m_round->repliesReceived != before) return true;
    const DWORD left = TimeLeftUntil(deadline);
    if (left == 0) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_SENDMESSAGE, 0);
  }
  return m_round->repliesReceived != before;
}

void CWindowPings::GiveUpPending() {
  for (CPingReply& reply : m_round->replies) {
    if (reply == CPingReply::kPending) reply = CPingReply::kGivenUp;
  }
}

void CWindowPings::TakeInOrder(size_t begin, size_t end, bool holdBack,
                               const std::function<void(size_t, CPingReply)>& take) {
  for (size_t i = begin; i < end; ++i) {
    if (m_taken[i]) continue;
    const CPingReply reply = m_round->replies[i];
    if (reply == CPingReply::kPending) {
      if (holdBack) return;
      continue;
    }
    m_taken[i] = true;
    take(i, reply);
  }
}

void CALLBACK CWindowPings::OnReply(HWND, UINT, ULONG_PTR data, LRESULT reply) {
  std::unique_ptr<Ticket> ticket(reinterpret_cast<Ticket*>(data));
  Round& round = *ticket->round;
  CPingReply& recorded = round.replies[ticket->index];
  if (recorded == CPingReply::kPending) {
    recorded = reply == 0 ? CPingReply::kZero : CPingReply::kNonZero;
    ++round.repliesReceived;
  } else if (recorded == CPingReply::kGivenUp && round.onLateReply) {
    round.onLateReply(round.windows[ticket->index], reply);
  }
}

DWORD TimeLeftUntil(DWORD deadline) {
  const LONG left = static_cast<LONG>(deadline - GetTickCount());
  return left > 0 ? static_cast<DWORD>(left) : 0;
}

bool WaitAnsweringSentMessages(DWORD deadline, const std::function<bool()>& done) {
  for (;;) {
    AnswerSentMessages();
    if (done()) return true;
    const DWORD left = TimeLeftUntil(deadline);
    if (left == 0) return false;
    MsgWaitForMultipleObjectsEx(0, nullptr, std::min(left, kLookAgainMs), QS_SENDMESSAGE, 0);
  }
}
