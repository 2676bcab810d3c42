// Driving a modal loop of the test's own process: the loop runs on the
// test's thread, the driver acts on its windows from a second thread, as a
// user would. Drivers only record what they see; the test asserts on the
// test's thread once both are done.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace automation {

// Answers the message boxes and cancels the dialogs this process shows.
void CloseOwnDialogs();

// Runs modal on this thread while drive runs on a second one. Once the
// driver is done, whatever it left open is closed until modal returns, so
// that a failing check cannot leave the test hanging in a modal loop.
template <typename Result>
Result RunWhileDriving(const std::function<Result()>& modal, const std::function<void()>& drive) {
  std::atomic<bool> modalDone(false);
  std::thread driver([&] {
    drive();
    while (!modalDone) CloseOwnDialogs();
  });
  const Result result = modal();
  modalDone = true;
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
