// Waiting for something observable, with a deadline: never a blind sleep.
#pragma once

#include <windows.h>

#include <functional>

namespace automation {

constexpr DWORD kDefaultTimeoutMs = 10000;
// A helper program's first window: a loaded machine has been seen to take
// more than ten seconds to start one.
constexpr DWORD kHelperStartTimeoutMs = 30000;

// Pumps this thread's messages while it waits, so windows of the test's own
// stay responsive.
void PumpFor(DWORD milliseconds);

// Polls condition until it holds or timeoutMs has passed; returns its last
// answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace automation
