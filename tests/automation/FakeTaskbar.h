// The fake taskbar helper program, seen from a test: a "Shell_TrayWnd" of
// another process that window lookups find instead of Wine's own, and the
// log of the notification-icon calls that reached it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/automation/Panorel.h"
#include "tests/automation/Process.h"
#include "tests/helpers/FakeTaskbarProtocol.h"

namespace automation {

class FakeTaskbar {
 public:
  // Starts helper_taskbar.exe (named by PANOREL_HELPER_TASKBAR) with the
  // given structure under its taskbar window; check IsReady().
  explicit FakeTaskbar(const char* structure = taskbar::kFull);
  ~FakeTaskbar();
  FakeTaskbar(const FakeTaskbar&) = delete;
  FakeTaskbar& operator=(const FakeTaskbar&) = delete;

  // Running, and the taskbar that a lookup by class finds.
  bool IsReady() const { return m_taskbar != nullptr; }
  HWND Taskbar() const { return m_taskbar; }
  DWORD ProcessId() const { return m_process.Id(); }

  // Everything logged so far, lines ending in CR LF.
  std::string LogText() const;
  // The logged lines about one icon (owner window and identifier), in order.
  std::vector<std::string> CallsFor(HWND owner, UINT iconId) const;

  // A button whose icon record names owner; how: taskbar::kNoOwnerInfo and
  // the other bits. Returns its command identifier, 0 on failure.
  int AddButton(HWND owner, LPARAM how = 0);
  bool RemoveButton(int commandId);
  // The taskbar hiding or showing a button on its own.
  bool SetHidden(int commandId, bool hidden);
  bool IsHidden(int commandId) const;
  bool Exists(int commandId) const;
  // taskbar::kProgramsToolbar and its neighbours; null when the structure
  // has no such toolbar.
  HWND Toolbar(WPARAM which) const;

 private:
  LRESULT Request(UINT message, WPARAM wParam, LPARAM lParam) const;

  ScratchFolder m_folder;
  Process m_process;
  HWND m_control = nullptr;
  HWND m_taskbar = nullptr;
};

// The tooltip of a logged call.
std::string TipOfCall(const std::string& call);
// The balloon of a logged call, "<title>|<text>"; "" when it showed none.
std::string BalloonOfCall(const std::string& call);
// The image of a logged call, "icon=<w>x<h>:<checksum>"; "" when it
// carried none.
std::string IconOfCall(const std::string& call);

}  // namespace automation
