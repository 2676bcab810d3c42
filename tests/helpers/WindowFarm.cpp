// helper_windows.exe: plays the other programs whose windows Panorel hides
// and shows. A test sends its control window requests (WindowFarmProtocol.h).
#include <windows.h>

#include <map>
#include <memory>

#include "tests/helpers/WindowFarmProtocol.h"

namespace {

constexpr char kFarmWindowClass[] = "PanorelTestFarmWindow";
constexpr char kNonZeroClass[] = "PanorelTestNonZeroNull";
// Posted to an own-thread window: block its thread until resumed.
constexpr UINT kBlockThread = WM_APP + 100;
// Posted to an own-thread window: destroy yourself and end the thread.
constexpr UINT kEndThread = WM_APP + 101;
// An own-thread window's properties while its next WM_SHOWWINDOW is to block:
// for how long, and the event that ends the block sooner.
constexpr char kStallMsProperty[] = "PanorelTestStallMs";
constexpr char kResumeProperty[] = "PanorelTestResume";

// A window living on a thread of its own, so that the thread can hang.
struct ThreadWindow {
  HANDLE resume = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = nullptr;
  HWND window = nullptr;
  ~ThreadWindow() {
    CloseHandle(resume);
    CloseHandle(ready);
    if (thread) CloseHandle(thread);
  }
};

std::map<HWND, std::unique_ptr<ThreadWindow>> g_threadWindows;
int g_opened = 0;

LRESULT CALLBACK FarmWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kBlockThread:
      WaitForSingleObject(reinterpret_cast<HANDLE>(lParam), INFINITE);
      return 0;
    case kEndThread:
      DestroyWindow(window);
      PostQuitMessage(0);
      return 0;
    case WM_SHOWWINDOW:
      if (HANDLE stallMs = RemovePropA(window, kStallMsProperty)) {
        WaitForSingleObject(GetPropA(window, kResumeProperty), static_cast<DWORD>(reinterpret_cast<UINT_PTR>(stallMs)));
      }
      return DefWindowProcA(window, message, wParam, lParam);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK NonZeroProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NULL) return 1;
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateFarmWindow(const char* windowClass, DWORD exStyle, HWND owner) {
  char title[64];
  wsprintfA(title, "farm window %d", ++g_opened);
  const int offset = (g_opened % 20) * 12;
  HWND window = CreateWindowExA(exStyle, windowClass, title, (owner ? WS_POPUP | WS_CAPTION : WS_OVERLAPPEDWINDOW),
                                40 + offset, 40 + offset, 240, 120, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

DWORD WINAPI ThreadWindowMain(void* param) {
  auto* entry = static_cast<ThreadWindow*>(param);
  entry->window = CreateFarmWindow(kFarmWindowClass, 0, nullptr);
  SetEvent(entry->ready);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

HWND OpenThreadWindow() {
  auto entry = std::make_unique<ThreadWindow>();
  entry->thread = CreateThread(nullptr, 0, ThreadWindowMain, entry.get(), 0, nullptr);
  WaitForSingleObject(entry->ready, 10000);
  HWND window = entry->window;
  g_threadWindows[window] = std::move(entry);
  return window;
}

LRESULT Open(farm::Kind kind, HWND owner) {
  switch (kind) {
    case farm::Kind::kOwnThread: return reinterpret_cast<LRESULT>(OpenThreadWindow());
    case farm::Kind::kNonZeroNull: return reinterpret_cast<LRESULT>(CreateFarmWindow(kNonZeroClass, 0, nullptr));
    case farm::Kind::kOwnedPopup: return reinterpret_cast<LRESULT>(CreateFarmWindow(kFarmWindowClass, 0, owner));
    case farm::Kind::kToolWindow:
      return reinterpret_cast<LRESULT>(CreateFarmWindow(kFarmWindowClass, WS_EX_TOOLWINDOW, nullptr));
    case farm::Kind::kPlain:
    default: return reinterpret_cast<LRESULT>(CreateFarmWindow(kFarmWindowClass, 0, nullptr));
  }
}

LRESULT Close(HWND window) {
  auto found = g_threadWindows.find(window);
  if (found == g_threadWindows.end()) return DestroyWindow(window);
  SetEvent(found->second->resume);
  PostMessageA(window, kEndThread, 0, 0);
  WaitForSingleObject(found->second->thread, 10000);
  g_threadWindows.erase(found);
  return TRUE;
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND target = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case farm::kOpen: return Open(static_cast<farm::Kind>(wParam), reinterpret_cast<HWND>(lParam));
    case farm::kHang: {
      auto found = g_threadWindows.find(target);
      if (found == g_threadWindows.end()) return FALSE;
      ResetEvent(found->second->resume);
      return PostMessageA(target, kBlockThread, 0, reinterpret_cast<LPARAM>(found->second->resume));
    }
    case farm::kResume: {
      auto found = g_threadWindows.find(target);
      if (found == g_threadWindows.end()) return FALSE;
      return SetEvent(found->second->resume);
    }
    case farm::kStallNextShow: {
      auto found = g_threadWindows.find(target);
      if (found == g_threadWindows.end()) return FALSE;
      ResetEvent(found->second->resume);
      SetPropA(target, kResumeProperty, found->second->resume);
      return SetPropA(target, kStallMsProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(lParam)));
    }
    case farm::kClose: return Close(target);
    case farm::kShow:
      // Asynchronous, so that a hung window's thread cannot block the farm.
      return ShowWindowAsync(target, static_cast<int>(lParam));
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpfnWndProc = FarmWindowProc;
  windowClass.lpszClassName = kFarmWindowClass;
  RegisterClassA(&windowClass);
  windowClass.lpfnWndProc = NonZeroProc;
  windowClass.lpszClassName = kNonZeroClass;
  RegisterClassA(&windowClass);
  windowClass.lpfnWndProc = ControlProc;
  windowClass.lpszClassName = farm::kControlClass;
  RegisterClassA(&windowClass);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  RegisterClasses(instance);
  // A message-only window: it never takes part in a switch.
  CreateWindowExA(0, farm::kControlClass, "window farm", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  for (auto& entry : g_threadWindows) SetEvent(entry.second->resume);
  return 0;
}
