// Owners for the platform's handles: one owner per handle, visible in its
// type, released when the owner goes. They move but never copy.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, typename Traits>
class CUniqueHandle {
 public:
  CUniqueHandle() = default;
  explicit CUniqueHandle(Handle handle) : m_handle(handle) {}
  ~CUniqueHandle() { Reset(); }
  CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
  CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  CUniqueHandle(const CUniqueHandle&) = delete;
  CUniqueHandle& operator=(const CUniqueHandle&) = delete;

  Handle Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != Traits::Invalid(); }
  Handle Release() { return std::exchange(m_handle, Traits::Invalid()); }
  void Reset(Handle handle = Traits::Invalid()) {
    if (m_handle != Traits::Invalid()) Traits::Close(m_handle);
    m_handle = handle;
  }

 private:
  Handle m_handle = Traits::Invalid();
};

struct CKernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE handle) { ::CloseHandle(handle); }
};
struct CIconTraits {
  static HICON Invalid() { return nullptr; }
  static void Close(HICON icon) { ::DestroyIcon(icon); }
};
template <typename Handle>
struct CGdiObjectTraits {
  static Handle Invalid() { return nullptr; }
  static void Close(Handle object) { ::DeleteObject(object); }
};
struct CModuleTraits {
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE module) { ::FreeLibrary(module); }
};

using CKernelHandle = CUniqueHandle<HANDLE, CKernelHandleTraits>;
using CIconHandle = CUniqueHandle<HICON, CIconTraits>;
// A pen, brush, font or bitmap, handed back as its own type: CGdiObject<HFONT>.
template <typename Handle>
using CGdiObject = CUniqueHandle<Handle, CGdiObjectTraits<Handle>>;
using CModuleHandle = CUniqueHandle<HMODULE, CModuleTraits>;

// A window's painting between BeginPaint and EndPaint, for a WM_PAINT
// handler: the update region is validated when the scope ends, whatever way
// the handler leaves.
class CPaintDC {
 public:
  explicit CPaintDC(HWND window) : m_window(window), m_dc(::BeginPaint(window, &m_paint)) {}
  ~CPaintDC() { ::EndPaint(m_window, &m_paint); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

  HDC Get() const { return m_dc; }
  // The part of the window that needs painting.
  const RECT& UpdateRect() const { return m_paint.rcPaint; }

 private:
  HWND m_window;
  PAINTSTRUCT m_paint = {};
  HDC m_dc;
};

// Memory committed in another process, released there when the owner goes.
// The process handle must outlive the owner.
class CRemoteMemory {
 public:
  CRemoteMemory(HANDLE process, SIZE_T size)
      : m_process(process), m_address(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~CRemoteMemory() {
    if (m_address) ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
  }
  CRemoteMemory(const CRemoteMemory&) = delete;
  CRemoteMemory& operator=(const CRemoteMemory&) = delete;

  void* Get() const { return m_address; }
  explicit operator bool() const { return m_address != nullptr; }

 private:
  HANDLE m_process;
  void* m_address;
};
