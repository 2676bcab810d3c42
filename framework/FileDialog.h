// CFileDialog: the platform's open-file and save-file dialogs. The filter is
// given the short way, "description|pattern|...|", and converted once here.
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"
#include "framework/WideString.h"

class CWnd;

// "Text|*.txt|All|*.*||" in the platform's form: every field ends with a NUL
// and the list with an empty field. The text is converted first, so a "|"
// that is the trail byte of a double-byte character stays part of it.
std::wstring FileDialogFilter(const char* filter);

class CFileDialog {
 public:
  CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr, const CStringW& fileName = CStringW(),
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK when the user chose a file, IDCANCEL otherwise.
  INT_PTR DoModal();
  CStringW GetPathName() const { return m_fileName.c_str(); }
  // Sets the dialog's caption.
  void SetTitle(const char* title);

  // The structure handed to the platform.
  OPENFILENAMEW m_ofn = {};

 private:
  BOOL m_bOpenFileDialog;
  std::wstring m_filter;
  std::wstring m_defaultExtension;
  std::wstring m_title;
  // Room for any path the system can name, not only the short ones.
  std::wstring m_fileName;
};
