// Driving a modal loop of the test's own process: the loop runs on the
// test's thread, the driver acts on its windows from a second thread, as a
// user would. Drivers only record what they see; the test asserts on the
// test's thread once both are done.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace automation {

template <typename Result>
Result RunWhileDriving(const std::function<Result()>& modal, const std::function<void()>& drive) {
  std::thread driver(drive);
  const Result result = modal();
  driver.join();
  return result;
}

// Waits for a message box of this process, reads its text and presses its
// OK button; "" when none came within timeoutMs.
std::string AnswerMessageBox(DWORD timeoutMs = 10000);
// Waits for a visible dialog of this process with that title that is not a
// message box.
HWND WaitForOwnDialog(const char* title, DWORD timeoutMs = 10000);

}  // namespace automation
