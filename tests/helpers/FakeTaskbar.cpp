// helper_taskbar.exe: plays the shell's taskbar for the tests. It owns the
// windows of one of the taskbars' structures ("Shell_TrayWnd" ->
// "TrayNotifyWnd" -> "ToolbarWindow32", the platform's own toolbar control,
// and the others in FakeTaskbarProtocol.h), stays above Wine's own taskbar
// so that window lookups find it, and logs every notification-icon call
// that reaches it. A test drives it through FakeTaskbarProtocol.h.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "framework/Handles.h"
#include "framework/WideString.h"
#include "tests/helpers/FakeTaskbarProtocol.h"

namespace {

constexpr char kTaskbarClass[] = "Shell_TrayWnd";
constexpr char kNotifyAreaClass[] = "TrayNotifyWnd";
constexpr char kPagerClass[] = "SysPager";
constexpr char kOverflowClass[] = "NotifyIconOverflowWindow";
constexpr char kContentBridgeClass[] = "Windows.UI.Composition.DesktopWindowContentBridge";

// Wine's shell32 hands Shell_NotifyIcon to the taskbar as WM_COPYDATA with
// the NIM_* code in dwData and this record as the payload; when the call
// carries an icon, its mask bits and then its image bits follow the record.
struct NotifyData {
  LONG hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  WCHAR szTip[128];
  DWORD state;
  DWORD stateMask;
  WCHAR info[256];
  UINT timeoutOrVersion;
  WCHAR infoTitle[64];
  DWORD infoFlags;
  GUID item;
  UINT iconWidth;
  UINT iconHeight;
  UINT iconPlanes;
  UINT iconBitsPerPixel;
};
static_assert(sizeof(NotifyData) == 960, "the record as Wine 8.0 sends it, measured");

// The icon's size and a checksum of its bits (FNV-1a): enough to tell one
// image from another.
std::string IconFieldOf(const COPYDATASTRUCT& copy, const NotifyData& data) {
  if (!copy.lpData || copy.cbData <= sizeof data) return std::string();
  const auto* bits = static_cast<const unsigned char*>(copy.lpData) + sizeof data;
  DWORD hash = 2166136261u;
  for (DWORD i = 0; i < copy.cbData - sizeof data; ++i) hash = (hash ^ bits[i]) * 16777619u;
  char field[48];
  wsprintfA(field, "icon=%ux%u:%08lx ", data.iconWidth, data.iconHeight, static_cast<unsigned long>(hash));
  return field;
}

// The tooltip as the program's own texts are, code page 936 bytes, whatever
// the system's code page: the log reads the same as the tests' literals.
std::string TipTextOf(const WCHAR* text, int maxChars) {
  const CString bytes = WideToText(text, static_cast<int>(wcsnlen(text, maxChars)));
  return std::string(bytes.GetString(), static_cast<size_t>(bytes.GetLength()));
}

std::string LogLineOf(const COPYDATASTRUCT& copy) {
  // A short payload is read as far as it goes; the rest counts as zero.
  NotifyData data = {};
  if (copy.lpData) memcpy(&data, copy.lpData, copy.cbData < sizeof data ? copy.cbData : sizeof data);
  char head[160];
  wsprintfA(head, "NIM %lu hwnd=%08lx uid=%x flags=%x callback=%x ", static_cast<unsigned long>(copy.dwData),
            static_cast<unsigned long>(data.hWnd), data.uID, data.uFlags, data.uCallbackMessage);
  // A balloon's title and text, before the tip, which runs to the line's end.
  const std::string balloon = (data.uFlags & NIF_INFO) ? "info=" + TipTextOf(data.infoTitle, 64) + "|" +
                                                             TipTextOf(data.info, 256) + " "
                                                       : std::string();
  return head + IconFieldOf(copy, data) + balloon + "tip=" + TipTextOf(data.szTip, 128) + "\r\n";
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

// The icons' records lie in one page, taken from the top of the address
// space: above 4 GB in the 64-bit build, where 64-bit taskbars keep theirs.
constexpr SIZE_T kRecordPageSize = 4096;
constexpr size_t kMaxIconRecords = kRecordPageSize / sizeof(IconRecord);

void* HighPage(DWORD allocation, DWORD protection) {
  return VirtualAlloc(nullptr, kRecordPageSize, allocation | MEM_TOP_DOWN, protection);
}

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
  HWND CreateToolbar(HWND parent);
  LRESULT OnControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT AddButton(HWND owner, LPARAM how);
  // The toolbar that has a button of this identifier, or null.
  HWND ToolbarOf(int commandId) const;
  LRESULT RemoveButton(int commandId);
  LRESULT IsHidden(int commandId);

  HINSTANCE m_instance;
  std::string m_logPath;
  HWND m_taskbar = nullptr;
  HWND m_overflowWindow = nullptr;
  // Indexed by taskbar::kProgramsToolbar and its neighbours.
  HWND m_toolbars[3] = {};
  IconRecord* m_iconRecords = static_cast<IconRecord*>(HighPage(MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  size_t m_iconRecordCount = 0;
  // Reserved, never committed: reading it fails.
  void* m_unreadable = HighPage(MEM_RESERVE, PAGE_NOACCESS);
  int m_nextCommandId = kFirstCommandId;
};

LRESULT FakeTaskbar::AddButton(HWND owner, LPARAM how) {
  const WPARAM which = (how & taskbar::kInOverflow)     ? taskbar::kOverflowToolbar
                       : (how & taskbar::kInSystemArea) ? taskbar::kSystemToolbar
                                                        : taskbar::kProgramsToolbar;
  HWND toolbar = m_toolbars[which];
  if (!toolbar || !m_iconRecords || m_iconRecordCount == kMaxIconRecords) return 0;
  IconRecord* record = &m_iconRecords[m_iconRecordCount++];
  *record = {owner, static_cast<UINT>(m_iconRecordCount)};
  char text[32];
  wsprintfA(text, "icon %d", m_nextCommandId);
  TBBUTTON button = {};
  button.iBitmap = I_IMAGENONE;
  button.idCommand = m_nextCommandId;
  button.fsState = TBSTATE_ENABLED | ((how & taskbar::kHidden) ? TBSTATE_HIDDEN : 0);
  button.fsStyle = BTNS_BUTTON;
  button.dwData = (how & taskbar::kUnreadableIconRecord) ? reinterpret_cast<DWORD_PTR>(m_unreadable)
                                                          : reinterpret_cast<DWORD_PTR>(record);
  button.iString = (how & taskbar::kNoOwnerInfo) ? -1 : reinterpret_cast<INT_PTR>(text);
  if (!SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button))) return 0;
  const int commandId = m_nextCommandId;
  m_nextCommandId += kCommandIdStep;
  return commandId;
}

HWND FakeTaskbar::ToolbarOf(int commandId) const {
  for (HWND toolbar : m_toolbars) {
    if (toolbar && SendMessageA(toolbar, TB_COMMANDTOINDEX, commandId, 0) >= 0) return toolbar;
  }
  return nullptr;
}

LRESULT FakeTaskbar::RemoveButton(int commandId) {
  HWND toolbar = ToolbarOf(commandId);
  if (!toolbar) return FALSE;
  return SendMessageA(toolbar, TB_DELETEBUTTON, SendMessageA(toolbar, TB_COMMANDTOINDEX, commandId, 0), 0);
}

LRESULT FakeTaskbar::IsHidden(int commandId) {
  HWND toolbar = ToolbarOf(commandId);
  if (!toolbar) return -1;
  // The toolbar answers TBSTATE_HIDDEN itself, not 1.
  return SendMessageA(toolbar, TB_ISBUTTONHIDDEN, commandId, 0) != 0 ? 1 : 0;
}

void FakeTaskbar::RegisterClasses() {
  WNDCLASSA windowClass = {};
  windowClass.hInstance = m_instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpfnWndProc = TaskbarProc;
  windowClass.lpszClassName = kTaskbarClass;
  RegisterClassA(&windowClass);
  windowClass.lpfnWndProc = DefWindowProcA;
  for (const char* name : {kNotifyAreaClass, kPagerClass, kOverflowClass, kContentBridgeClass}) {
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
  }
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

HWND FakeTaskbar::CreateToolbar(HWND parent) {
  HWND toolbar = CreateChild(parent, TOOLBARCLASSNAMEA, CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT);
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  return toolbar;
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
    CreateChild(m_taskbar, kContentBridgeClass, 0);
  } else {
    HWND notifyArea = CreateChild(m_taskbar, kNotifyAreaClass, 0);
    if (structure == taskbar::kNoToolbar) {
      CreateChild(notifyArea, "STATIC", 0);
    } else if (structure == taskbar::kFull) {
      m_toolbars[taskbar::kProgramsToolbar] = CreateToolbar(notifyArea);
    } else {
      if (structure == taskbar::kSystemAndOverflow) {
        m_toolbars[taskbar::kSystemToolbar] = CreateToolbar(notifyArea);
        m_overflowWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kOverflowClass, "", WS_POPUP, 0, 600, 300, 100, nullptr,
                                           nullptr, m_instance, nullptr);
        m_toolbars[taskbar::kOverflowToolbar] = CreateToolbar(m_overflowWindow);
      }
      m_toolbars[taskbar::kProgramsToolbar] = CreateToolbar(CreateChild(notifyArea, kPagerClass, 0));
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
    case taskbar::kRemoveButton: return RemoveButton(static_cast<int>(wParam));
    case taskbar::kIsHidden: return IsHidden(static_cast<int>(wParam));
    case taskbar::kSetHidden: {
      HWND toolbar = ToolbarOf(static_cast<int>(wParam));
      return toolbar ? SendMessageA(toolbar, TB_HIDEBUTTON, wParam, MAKELPARAM(lParam ? TRUE : FALSE, 0)) : FALSE;
    }
    case taskbar::kGetToolbar:
      return wParam < std::size(m_toolbars) ? reinterpret_cast<LRESULT>(m_toolbars[wParam]) : 0;
    case WM_DESTROY:
      if (m_overflowWindow) DestroyWindow(m_overflowWindow);
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
