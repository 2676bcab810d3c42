#include "tests/automation/WindowFarm.h"

#include "tests/automation/Panorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace automation {

namespace {

std::string FarmCommandLine() { return "\"" + BuiltProgram("PANOREL_HELPER_WINDOWS") + "\""; }

}  // namespace

WindowFarm::WindowFarm() : m_process(FarmCommandLine()) {
  // The first program after the prefix's desktop went idle has been seen to
  // wait on it for good: a second start, once the desktop is back, comes up.
  for (int attempt = 0; attempt < 2 && m_process.IsStarted(); ++attempt) {
    if (attempt > 0) m_process = Process(FarmCommandLine());
    if (WaitUntil([&] { return (m_control = FindMessageOnlyWindow(farm::kControlClass, m_process.Id())) != nullptr; },
                  kHelperStartTimeoutMs / 2)) {
      return;
    }
    m_process.Terminate();
  }
}

WindowFarm::~WindowFarm() {
  if (m_control) PostMessageA(m_control, WM_CLOSE, 0, 0);
  m_process.WaitForExit(10000);
}

LRESULT WindowFarm::Request(UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(m_control, message, wParam, lParam, SMTO_NORMAL, 15000, &result);
  return static_cast<LRESULT>(result);
}

HWND WindowFarm::Open(farm::Kind kind, HWND owner) {
  return reinterpret_cast<HWND>(Request(farm::kOpen, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(owner)));
}

std::vector<HWND> WindowFarm::OpenMany(int count) {
  std::vector<HWND> windows;
  for (int i = 0; i < count; ++i) windows.push_back(Open());
  return windows;
}

bool WindowFarm::Hang(HWND window) { return Request(farm::kHang, reinterpret_cast<WPARAM>(window), 0) != 0; }

bool WindowFarm::Resume(HWND window) { return Request(farm::kResume, reinterpret_cast<WPARAM>(window), 0) != 0; }

bool WindowFarm::StallNextShow(HWND window, DWORD milliseconds) {
  return Request(farm::kStallNextShow, reinterpret_cast<WPARAM>(window), milliseconds) != 0;
}

bool WindowFarm::Close(HWND window) { return Request(farm::kClose, reinterpret_cast<WPARAM>(window), 0) != 0; }

bool WindowFarm::Show(HWND window, int command) {
  return Request(farm::kShow, reinterpret_cast<WPARAM>(window), command) != 0;
}

}  // namespace automation
