// The window farm helper program, seen from a test: it opens, hangs, hides,
// shows and closes windows of another process on request.
#pragma once

#include <windows.h>

#include <vector>

#include "tests/automation/Process.h"
#include "tests/helpers/WindowFarmProtocol.h"

namespace automation {

class WindowFarm {
 public:
  // Starts helper_windows.exe (named by PANOREL_HELPER_WINDOWS); check IsReady().
  WindowFarm();
  ~WindowFarm();
  WindowFarm(const WindowFarm&) = delete;
  WindowFarm& operator=(const WindowFarm&) = delete;

  bool IsReady() const { return m_control != nullptr; }
  DWORD ProcessId() const { return m_process.Id(); }

  HWND Open(farm::Kind kind = farm::Kind::kPlain, HWND owner = nullptr);
  // Opens count plain windows, in creation order.
  std::vector<HWND> OpenMany(int count);
  bool Hang(HWND window);
  bool Resume(HWND window);
  // The window's next WM_SHOWWINDOW blocks its thread for milliseconds, or
  // until Resume.
  bool StallNextShow(HWND window, DWORD milliseconds);
  bool Close(HWND window);
  bool Show(HWND window, int command);

 private:
  LRESULT Request(UINT message, WPARAM wParam, LPARAM lParam);

  Process m_process;
  HWND m_control = nullptr;
};

}  // namespace automation
