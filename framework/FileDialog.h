// CFileDialog: the platform's open-file and save-file dialogs. The filter is
// given the short way, "description|pattern|...|", and converted once here.
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"

class CWnd;

// "Text|*.txt|All|*.*||" in the platform's form: every field ends with a NUL
// and the list with an empty field. A "|" that is the trail byte of a
// double-byte character stays what it is.
std::string FileDialogFilter(const char* filter);

class CFileDialog {
 public:
  CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);
  CFileDialog(const CFileDialog&) = delete;
  CFileDialog& operator=(const CFileDialog&) = delete;

  // IDOK when the user chose a file, IDCANCEL otherwise.
  INT_PTR DoModal();
  CString GetPathName() const { return m_fileName; }

  // The structure handed to the platform; set lpstrTitle and the like here.
  OPENFILENAMEA m_ofn = {};

 private:
  BOOL m_bOpenFileDialog;
  std::string m_filter;
  std::string m_defaultExtension;
  char m_fileName[MAX_PATH] = "";
};
