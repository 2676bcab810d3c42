#include "switcher/PinnedPrograms.h"

#include <psapi.h>

#include "framework/FileAccess.h"
#include "framework/Handles.h"
#include "framework/WideString.h"

namespace {

// Newer systems let a process be asked its image name with this right
// alone, which they grant for more processes; older ones know only the full
// query right.
constexpr DWORD kQueryLimitedInformation = 0x1000;

CString Trimmed(CString text) {
  text.TrimRight();
  int first = 0;
  while (first < text.GetLength() && (text.GetAt(first) == ' ' || text.GetAt(first) == '\t')) ++first;
  return text.Mid(first);
}

}  // namespace

CPinnedPrograms::CPinnedPrograms(const CString& names) {
  int start = 0;
  while (start <= names.GetLength()) {
    int end = names.Find(';', start);
    if (end < 0) end = names.GetLength();
    const CString name = Trimmed(names.Mid(start, end - start));
    if (!name.IsEmpty()) m_names.push_back(name);
    start = end + 1;
  }
}

bool CPinnedPrograms::IsPinned(HWND window) {
  if (m_names.empty()) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const auto known = m_byProcess.find(processId);
  if (known != m_byProcess.end()) return known->second;
  const bool pinned = IsPinnedProcess(processId);
  m_byProcess.emplace(processId, pinned);
  return pinned;
}

bool CPinnedPrograms::IsPinnedProcess(DWORD processId) const {
  const CString executable = ExecutableNameOf(processId);
  if (executable.IsEmpty()) return false;
  for (const CString& name : m_names) {
    if (executable.CompareNoCase(name) == 0) return true;
  }
  return false;
}

CStringW ExecutableFileNameOf(DWORD processId) {
  CKernelHandle process(OpenProcess(kQueryLimitedInformation, FALSE, processId));
  if (!process) process.Reset(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId));
  if (!process) return CStringW();
  // A device path rather than a drive letter: only its last part counts.
  CStringW image;
  image.ReleaseBuffer(static_cast<int>(
      GetProcessImageFileNameW(process.Get(), image.GetBuffer(static_cast<int>(kLongestPath)), kLongestPath)));
  return image.Mid(image.ReverseFind(L'\\') + 1);
}

CString ExecutableNameOf(DWORD processId) {
  // Read wide, so a folder named in any script does not spoil the name.
  const CStringW name = ExecutableFileNameOf(processId);
  return WideToText(name, name.GetLength());
}
