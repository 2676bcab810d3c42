// Asks many windows at once whether their programs answer, without waiting
// on any one of them. Each window is sent a WM_NULL whose reply comes back to
// this thread as a callback; the caller then waits for the replies together,
// up to one deadline, while this thread goes on answering what other
// programs send it (what is posted to it stays queued for later).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

enum class CPingReply {
  kPending,   // asked, no reply yet
  kGivenUp,   // no reply by the time the caller stopped waiting for it
  kZero,      // answered 0: the window may be hidden and shown
  kNonZero    // answered anything else: its visibility is its own
};

class CWindowPings {
 public:
  // Called for a reply that comes after its window was given up, with the
  // window and its reply; the pings may be long gone by then.
  using LateReplyHandler = std::function<void(HWND window, LRESULT reply)>;

  // Sends every window its ping. A window the system already flags as hung
  // is asked too, but given up at once: waiting for it would cost the whole
  // deadline, and its reply, when it comes, is late.
  CWindowPings(const std::vector<HWND>& windows, LateReplyHandler onLateReply = nullptr);
  // Gives up every window still pending.
  ~CWindowPings();
  CWindowPings(const CWindowPings&) = delete;
  CWindowPings& operator=(const CWindowPings&) = delete;

  size_t Count() const;
  CPingReply ReplyOf(size_t index) const;
  // True when every window has replied or been given up.
  bool AllSettled() const;

  // Waits until at least one more reply has come, and then returns true; or
  // returns false when nothing is pending any more or the deadline (a
  // GetTickCount value) has passed.
  bool WaitForMore(DWORD deadline);
  // Waits until every window has replied or been given up, or the deadline
  // has passed.
  void WaitForAll(DWORD deadline) {
    while (WaitForMore(deadline)) {
    }
  }
  // Gives up every window that has not replied yet.
  void GiveUpPending();
  // Hands each window of [begin, end) that has replied or been given up to
  // take, once, in the windows' order; while holdBack, a window still
  // pending holds back those after it.
  void TakeInOrder(size_t begin, size_t end, bool holdBack, const std::function<void(size_t, CPingReply)>& take);

 private:
  struct Round;
  // One ping's way back: the platform hands it to OnReply, which owns it
  // from then on. It keeps its round alive, so a reply may come at any time.
  struct Ticket {
    std::shared_ptr<Round> round;
    size_t index;
  };
  static void CALLBACK OnReply(HWND, UINT, ULONG_PTR data, LRESULT reply);

  std::shared_ptr<Round> m_round;
  std::vector<bool> m_taken;
};

// Milliseconds left until deadline, a GetTickCount value; 0 once it passed.
DWORD TimeLeftUntil(DWORD deadline);

// Waits until done() holds or the deadline passes, answering what other
// threads send this one meanwhile and looking again every few milliseconds.
// True when done() held.
bool WaitAnsweringSentMessages(DWORD deadline, const std::function<bool()>& done);
