#include "framework/FileDialog.h"

#include <commdlg.h>

#include "framework/FileAccess.h"
#include "framework/Wnd.h"

std::wstring FileDialogFilter(const char* filter) {
  std::wstring converted;
  if (!filter) return converted;
  for (const wchar_t ch : std::wstring(TextToWide(filter).GetString())) converted += ch == L'|' ? L'\0' : ch;
  // The platform reads up to an empty field: make sure there is one even
  // when the text does not end in "||".
  converted += L'\0';
  converted += L'\0';
  return converted;
}

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const CStringW& fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_filter(FileDialogFilter(filter)), m_fileName(fileName.GetString()) {
  if (defaultExtension) m_defaultExtension = TextToWide(defaultExtension).GetString();
  m_fileName.resize(kLongestPath);
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
  m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
  m_ofn.nFilterIndex = 1;
  m_ofn.lpstrFile = &m_fileName[0];
  m_ofn.nMaxFile = static_cast<DWORD>(m_fileName.size());
  m_ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
  m_ofn.Flags = flags | OFN_EXPLORER;
}

void CFileDialog::SetTitle(const char* title) {
  m_title = TextToWide(title).GetString();
  m_ofn.lpstrTitle = m_title.c_str();
}

INT_PTR CFileDialog::DoModal() {
  const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}
