#include "framework/FileDialog.h"

#include <commdlg.h>

#include "framework/Wnd.h"

std::string FileDialogFilter(const char* filter) {
  std::string converted;
  if (!filter) return converted;
  for (const char* p = filter; *p; ++p) {
    if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) {
      converted += *p++;
      converted += *p;
    } else {
      converted += *p == '|' ? '\0' : *p;
    }
  }
  // The platform reads up to an empty field: make sure there is one even
  // when the text does not end in "||".
  converted += '\0';
  converted += '\0';
  return converted;
}

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_filter(FileDialogFilter(filter)) {
  if (defaultExtension) m_defaultExtension = defaultExtension;
  if (fileName) lstrcpynA(m_fileName, fileName, sizeof m_fileName);
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
  m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
  m_ofn.nFilterIndex = 1;
  m_ofn.lpstrFile = m_fileName;
  m_ofn.nMaxFile = sizeof m_fileName;
  m_ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
  m_ofn.Flags = flags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal() {
  const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}
