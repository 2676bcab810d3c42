// How a test asks the window farm (helper_windows.exe) for windows: messages
// sent to its control window, each answered synchronously.
#pragma once

#include <windows.h>

namespace farm {

constexpr char kControlClass[] = "PanorelTestWindowFarm";

enum class Kind : WPARAM {
  kPlain = 0,         // an ordinary window of the farm's main thread
  kOwnThread = 1,     // a window whose thread can be told to stop pumping
  kNonZeroNull = 2,   // answers WM_NULL with 1
  kOwnedPopup = 3,    // a pop-up owned by the window in lParam
  kToolWindow = 4,    // WS_EX_TOOLWINDOW
};

// wParam: Kind, lParam: owner (kOwnedPopup). Returns the new visible window.
constexpr UINT kOpen = WM_APP + 1;
// wParam: a kOwnThread window. Its thread stops pumping until kResume.
constexpr UINT kHang = WM_APP + 2;
constexpr UINT kResume = WM_APP + 3;
// wParam: a window of the farm. Destroys it.
constexpr UINT kClose = WM_APP + 4;
// wParam: a window of the farm, lParam: SW_HIDE or SW_SHOW.
constexpr UINT kShow = WM_APP + 5;
// wParam: a kOwnThread window, lParam: milliseconds. Its next WM_SHOWWINDOW
// blocks its thread that long, or until kResume.
constexpr UINT kStallNextShow = WM_APP + 6;

}  // namespace farm
