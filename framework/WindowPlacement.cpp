#include "framework/WindowPlacement.h"

namespace {

RECT WorkAreaOf(HMONITOR monitor) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (monitor && ::GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT workArea = {};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  return workArea;
}

// Keeps a span of length size inside [low, high): the start wins when it
// does not fit.
LONG Clamp(LONG start, LONG size, LONG low, LONG high) {
  if (start + size > high) start = high - size;
  if (start < low) start = low;
  return start;
}

// rect moved, not resized, so that its centre lies on target's centre, then
// pushed back inside bounds as far as its size allows (its top left corner
// first: the caption stays reachable).
RECT CenteredRect(const RECT& rect, const RECT& target, const RECT& bounds) {
  const LONG width = rect.right - rect.left;
  const LONG height = rect.bottom - rect.top;
  LONG left = target.left + (target.right - target.left - width) / 2;
  LONG top = target.top + (target.bottom - target.top - height) / 2;
  left = Clamp(left, width, bounds.left, bounds.right);
  top = Clamp(top, height, bounds.top, bounds.bottom);
  return {left, top, left + width, top + height};
}

}  // namespace

void CenterWindow(HWND window, HWND over) {
  RECT rect;
  if (!::GetWindowRect(window, &rect)) return;
  RECT target;
  RECT bounds;
  if (over && ::IsWindowVisible(over) && !::IsIconic(over) && ::GetWindowRect(over, &target)) {
    bounds = WorkAreaOf(::MonitorFromWindow(over, MONITOR_DEFAULTTONEAREST));
  } else {
    POINT pointer = {};
    ::GetCursorPos(&pointer);
    bounds = WorkAreaOf(::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST));
    target = bounds;
  }
  const RECT placed = CenteredRect(rect, target, bounds);
  ::SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
