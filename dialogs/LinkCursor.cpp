#include "dialogs/LinkCursor.h"

#include <utility>

#include "framework/Handles.h"
#include "framework/WideString.h"

CString HelpViewerPath() {
  wchar_t folder[MAX_PATH] = L"";
  ::GetWindowsDirectoryW(folder, MAX_PATH);
  return WideToText(folder) + "\\winhlp32.exe";
}

HCURSOR CopyCursorFromModule(const char* modulePath, int cursorId) {
  CModuleHandle module(::LoadLibraryW(TextToWide(modulePath)));
  if (!module) return nullptr;
  HCURSOR shared = ::LoadCursorW(module.Get(), MAKEINTRESOURCEW(cursorId));
  // The copy outlives the module, which is released on return.
  return shared ? ::CopyIcon(shared) : nullptr;
}

CLinkCursor::CLinkCursor(CString modulePath, int cursorId)
    : m_strModulePath(std::move(modulePath)), m_nCursorId(cursorId) {}

HCURSOR CLinkCursor::Get() {
  if (!m_bTried) {
    m_bTried = true;
    m_hCursor = CopyCursorFromModule(m_strModulePath, m_nCursorId);
  }
  return m_hCursor;
}
