#include "tests/automation/FakeTaskbar.h"

#include <fstream>
#include <sstream>

#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace automation {

namespace {

constexpr char kLogName[] = "taskbar.log";

std::string CommandLineOf(const char* structure, const std::string& logPath) {
  return "\"" + BuiltProgram("PANOREL_HELPER_TASKBAR") + "\" " + taskbar::kStructureOption + structure + " \"" +
         logPath + "\"";
}

}  // namespace

FakeTaskbar::FakeTaskbar(const char* structure)
    : m_process(CommandLineOf(structure, m_folder.File(kLogName))) {
  if (!m_process.IsStarted()) return;
  const bool answered =
      WaitUntil([&] { return (m_control = FindMessageOnlyWindow(taskbar::kControlClass, m_process.Id())) != nullptr; },
                kHelperStartTimeoutMs);
  if (!answered) return;
  HWND taskbar = reinterpret_cast<HWND>(Request(taskbar::kGetTaskbar, 0, 0));
  // Wine's explorer has a taskbar of its own; the tests need this one found.
  if (taskbar && WaitUntil([&] { return FindWindowA("Shell_TrayWnd", nullptr) == taskbar; })) m_taskbar = taskbar;
}

FakeTaskbar::~FakeTaskbar() {
  if (m_control) PostMessageA(m_control, WM_CLOSE, 0, 0);
  m_process.WaitForExit(10000);
}

LRESULT FakeTaskbar::Request(UINT message, WPARAM wParam, LPARAM lParam) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(m_control, message, wParam, lParam, SMTO_NORMAL, 15000, &result);
  return static_cast<LRESULT>(result);
}

std::string FakeTaskbar::LogText() const {
  std::ifstream file(m_folder.File(kLogName), std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

int FakeTaskbar::AddButton(HWND owner, LPARAM how) {
  return static_cast<int>(Request(taskbar::kAddButton, reinterpret_cast<WPARAM>(owner), how));
}

bool FakeTaskbar::RemoveButton(int commandId) { return Request(taskbar::kRemoveButton, commandId, 0) != 0; }

bool FakeTaskbar::SetHidden(int commandId, bool hidden) {
  return Request(taskbar::kSetHidden, commandId, hidden ? TRUE : FALSE) != 0;
}

bool FakeTaskbar::IsHidden(int commandId) const { return Request(taskbar::kIsHidden, commandId, 0) == 1; }

bool FakeTaskbar::Exists(int commandId) const { return Request(taskbar::kIsHidden, commandId, 0) != -1; }

HWND FakeTaskbar::Toolbar(WPARAM which) const { return reinterpret_cast<HWND>(Request(taskbar::kGetToolbar, which, 0)); }

std::vector<std::string> FakeTaskbar::CallsFor(HWND owner, UINT iconId) const {
  char key[48];
  wsprintfA(key, "hwnd=%08lx uid=%x ", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(owner)), iconId);
  std::vector<std::string> calls;
  const std::string log = LogText();
  for (size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = log.substr(start, end - start);
    if (line.find(key) != std::string::npos) calls.push_back(line);
  }
  return calls;
}

std::string TipOfCall(const std::string& call) {
  const size_t tip = call.find(" tip=");
  return tip == std::string::npos ? std::string() : call.substr(tip + 5);
}

std::string BalloonOfCall(const std::string& call) {
  const size_t start = call.find(" info=");
  const size_t tip = call.find(" tip=");
  if (start == std::string::npos || tip == std::string::npos || tip < start) return std::string();
  return call.substr(start + 6, tip - start - 6);
}

std::string IconOfCall(const std::string& call) {
  const size_t start = call.find(" icon=");
  if (start == std::string::npos) return std::string();
  return call.substr(start + 1, call.find(' ', start + 1) - start - 1);
}

}  // namespace automation
