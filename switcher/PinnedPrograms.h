// Programs whose windows stay on both desktops: named by the file name of
// their executable. Made for one switch, it looks each process up once,
// however many windows the process shows.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "framework/String.h"
#include "framework/WideString.h"

class CPinnedPrograms {
 public:
  // names: executable file names separated by ";", any case.
  explicit CPinnedPrograms(const CString& names);

  bool IsEmpty() const { return m_names.empty(); }
  bool IsPinned(HWND window);

 private:
  bool IsPinnedProcess(DWORD processId) const;

  std::vector<CString> m_names;
  std::map<DWORD, bool> m_byProcess;
};

// The file name of a process's executable, without its folder; empty when
// the process cannot be asked.
CString ExecutableNameOf(DWORD processId);
// The same name as the system has it, in any script.
CStringW ExecutableFileNameOf(DWORD processId);
