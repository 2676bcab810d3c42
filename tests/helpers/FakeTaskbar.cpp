// helper_taskbar.exe: plays the shell's taskbar for the tests. It owns the
// window path "Shell_TrayWnd" -> "TrayNotifyWnd" -> "ToolbarWindow32" (the
// platform's own toolbar control), stays above Wine's own taskbar so that
// window lookups find it, and logs every notification-icon call that reaches
// it. A test drives it through FakeTaskbarProtocol.h.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "framework/Handles.h"
#include "tests/helpers/FakeTaskbarProtocol.h"

namespace {

constexpr char kTaskbarClass[] = "Shell_TrayWnd";
constexpr char kNotifyAreaClass[] = "TrayNotifyWnd";

// Wine's shell32 hands Shell_NotifyIcon to the taskbar as WM_COPYDATA with
// the NIM_* code in dwData and this record as the payload (its beginning:
// state, balloon texts and icon bits follow).
struct NotifyData {
  LONG hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  WCHAR szTip[128];
};

std::string AnsiOf(const WCHAR* text, int maxChars) {
  const int length = static_cast<int>(wcsnlen(text, maxChars));
  if (length == 0) return std::string();
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, &result[0], size, nullptr, nullptr);
  return result;
}

std::string LogLineOf(const COPYDATASTRUCT& copy) {
  // A short payload is read as far as it goes; the rest counts as zero.
  NotifyData data = {};
  if (copy.lpData) memcpy(&data, copy.lpData, copy.cbData < sizeof data ? copy.cbData : sizeof data);
  char head[160];
  wsprintfA(head, "NIM %lu hwnd=%08lx uid=%x flags=%x callback=%x tip=", static_cast<unsigned long>(copy.dwData),
            static_cast<unsigned long>(data.hWnd), data.uID, data.uFlags, data.uCallbackMessage);
  return head + AnsiOf(data.szTip, 128) + "\r\n";
}

// Opened for each line, so that a test can read the log at any moment.
void AppendToFile(const std::string& path, const std::string& text) {
  HANDLE opened = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return;
  CKernelHandle file(opened);
  SetFilePointer(file.Get(), 0, nullptr, FILE_END);
  DWORD written = 0;
  WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// What the application data of a notification button points at: the
// platform keeps the icon's owner window first.
struct IconRecord {
  HWND owner;
  UINT id;
};

// Command identifiers start far from any position a test's toolbar reaches,
// so that a message given a position instead of an identifier misses.
constexpr int kFirstCommandId = 100;
constexpr int kCommandIdStep = 7;

class FakeTaskbar {
 public:
  FakeTaskbar(HINSTANCE instance, std::string logPath) : m_instance(instance), m_logPath(std::move(logPath)) {}

  bool Create(const std::string& structure);
  void Run();

 private:
  static LRESULT CALLBACK TaskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RegisterClasses();
  HWND CreateChild(HWND parent, const char* windowClass, DWORD style);
  LRESULT OnControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT AddButton(HWND owner, LPARAM how);
  LRESULT RemoveButton(int commandId);
  LRESULT IsHidden(int commandId);

  HINSTANCE m_instance;
  std::string m_logPath;
  HWND m_taskbar = nullptr;
  HWND m_toolbar = nullptr;
  // Stable addresses: the toolbar's buttons point into this.
  std::deque<IconRecord> m_iconRecords;
  // Reserved, never committed: reading it fails.
  void* m_unreadable = VirtualAlloc(nullptr, 4096, MEM_RESERVE, PAGE_NOACCESS);
  int m_nextCommandId = kFirstCommandId;
};

LRESULT FakeTaskbar::AddButton(HWND owner, LPARAM how) {
  if (!m_toolbar) return 0;
  m_iconRecords.push_back({owner, static_cast<UINT>(m_iconRecords.size() + 1)});
  char text[32];
  wsprintfA(text, "icon %d", m_nextCommandId);
  TBBUTTON button = {};
  button.iBitmap = I_IMAGENONE;
  button.idCommand = m_nextCommandId;
  button.fsState = TBSTATE_ENABLED | ((how & taskbar::kHidden) ? TBSTATE_HIDDEN : 0);
  button.fsStyle = BTNS_BUTTON;
  button.dwData = (how & taskbar::kUnreadableIconRecord) ? reinterpret_cast<DWORD_PTR>(m_unreadable)
                                                          : reinterpret_cast<DWORD_PTR>(&m_iconRecords.back());
  button.iString = (how & taskbar::kNoOwnerInfo) ? -1 : reinterpret_cast<INT_PTR>(text);
  if (!SendMessageA(m_toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button))) return 0;
  const int commandId = m_nextCommandId;
  m_nextCommandId += kCommandIdStep;
  return commandId;
}

LRESULT FakeTaskbar::RemoveButton(int commandId) {
  const LRESULT index = SendMessageA(m_toolbar, TB_COMMANDTOINDEX, commandId, 0);
  if (index < 0) return FALSE;
  return SendMessageA(m_toolbar, TB_DELETEBUTTON, index, 0);
}

LRESULT FakeTaskbar::IsHidden(int commandId) {
  if (SendMessageA(m_toolbar, TB_COMMANDTOINDEX, commandId, 0) < 0) return -1;
  // The toolbar answers TBSTATE_HIDDEN itself, not 1.
  return SendMessageA(m_toolbar, TB_ISBUTTONHIDDEN, commandId, 0) != 0 ? 1 : 0;
}

void FakeTaskbar::RegisterClasses() {
  WNDCLASSA windowClass = {};
  windowClass.hInstance = m_instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpfnWndProc = TaskbarProc;
  windowClass.lpszClassName = kTaskbarClass;
  RegisterClassA(&windowClass);
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = kNotifyAreaClass;
  RegisterClassA(&windowClass);
  windowClass.lpfnWndProc = ControlProc;
  windowClass.lpszClassName = taskbar::kControlClass;
  RegisterClassA(&windowClass);
}

HWND FakeTaskbar::CreateChild(HWND parent, const char* windowClass, DWORD style) {
  RECT area = {};
  GetClientRect(parent, &area);
  return CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE | style, 0, 0, area.right, area.bottom, parent,
                         nullptr, m_instance, nullptr);
}

bool FakeTaskbar::Create(const std::string& structure) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterClasses();
  // Topmost and created after Wine's explorer made its own taskbar: a lookup
  // by class walks the stacking order from the top and meets this one first.
  m_taskbar = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTaskbarClass, "", WS_POPUP | WS_VISIBLE, 0, 738, 1024,
                              30, nullptr, nullptr, m_instance, this);
  if (!m_taskbar) return false;
  if (structure == taskbar::kNoNotifyArea) {
    CreateChild(m_taskbar, "STATIC", 0);
  } else {
    HWND notifyArea = CreateChild(m_taskbar, kNotifyAreaClass, 0);
    if (structure == taskbar::kNoToolbar) {
      CreateChild(notifyArea, "STATIC", 0);
    } else {
      m_toolbar = CreateChild(notifyArea, TOOLBARCLASSNAMEA, CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT);
      SendMessageA(m_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    }
  }
  return CreateWindowExA(0, taskbar::kControlClass, "fake taskbar", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, m_instance,
                         this) != nullptr;
}

void FakeTaskbar::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

LRESULT CALLBACK FakeTaskbar::TaskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FakeTaskbar*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && message == WM_COPYDATA) {
    AppendToFile(self->m_logPath, LogLineOf(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)));
    // Anything else makes the caller's Shell_NotifyIcon fail.
    return TRUE;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FakeTaskbar::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FakeTaskbar*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  return self->OnControl(window, message, wParam, lParam);
}

LRESULT FakeTaskbar::OnControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case taskbar::kGetTaskbar: return reinterpret_cast<LRESULT>(m_taskbar);
    case taskbar::kAddButton: return AddButton(reinterpret_cast<HWND>(wParam), lParam);
    case taskbar::kRemoveButton: return m_toolbar ? RemoveButton(static_cast<int>(wParam)) : FALSE;
    case taskbar::kIsHidden: return m_toolbar ? IsHidden(static_cast<int>(wParam)) : -1;
    case taskbar::kSetHidden:
      return m_toolbar ? SendMessageA(m_toolbar, TB_HIDEBUTTON, wParam, MAKELPARAM(lParam ? TRUE : FALSE, 0)) : FALSE;
    case WM_DESTROY:
      DestroyWindow(m_taskbar);
      PostQuitMessage(0);
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string structure = taskbar::kFull;
  std::string logPath;
  const size_t optionLength = strlen(taskbar::kStructureOption);
  for (int i = 1; i < __argc; ++i) {
    const std::string argument = __argv[i];
    if (argument.compare(0, optionLength, taskbar::kStructureOption) == 0) {
      structure = argument.substr(optionLength);
    } else {
      logPath = argument;
    }
  }
  if (logPath.empty()) return 2;
  FakeTaskbar fake(instance, logPath);
  if (!fake.Create(structure)) return 1;
  fake.Run();
  return 0;
}
