#include "switcher/RecoveryFiles.h"

#include <shlobj.h>

#include <algorithm>

#include "framework/FileAccess.h"
#include "framework/Strings.h"
#include "framework/WinApp.h"
#include "res/StringIds.h"

namespace {

constexpr wchar_t kUserFolderName[] = L"Panorel";

CStringW FileNameOf(const CStringW& path) { return path.Mid(path.ReverseFind(L'\\') + 1); }

// Adds what more names and all does not yet.
void Merge(const CRecoveryRecord& more, CRecoveryRecord* all) {
  for (const CHiddenWindowRecord& window : more.windows) {
    const bool known = std::any_of(all->windows.begin(), all->windows.end(),
                                   [&](const CHiddenWindowRecord& had) { return had.window == window.window; });
    if (!known) all->windows.push_back(window);
  }
  all->buttonsHidden = all->buttonsHidden || more.buttonsHidden;
  for (const CUnownedButtonRecord& button : more.unownedButtons) {
    const bool known = std::any_of(all->unownedButtons.begin(), all->unownedButtons.end(), [&](const auto& had) {
      return had.toolbar == button.toolbar && had.commandId == button.commandId;
    });
    if (!known) all->unownedButtons.push_back(button);
  }
}

DWORD WINAPI ShowCannotKeepRecord(void*) {
  // On a thread of its own: the switch that found out goes on at once, and
  // no second switch can start inside the message box's loop.
  const CStringW caption = TextToWide(AfxGetAppName());
  MessageBoxW(nullptr, TextToWide(LoadText(IDS_RECOVERY_NOT_KEPT)), caption,
              MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
  return 0;
}

}  // namespace

CStringW PerUserRecoveryFolder() {
  wchar_t folder[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) || !folder[0]) {
    return CStringW();
  }
  return CStringW(folder) + L"\\" + kUserFolderName;
}

CRecoveryFiles::CRecoveryFiles(const CStringW& settingsPath, const CStringW& perUserFolder) {
  m_paths[0] = RecoveryPathFor(settingsPath);
  const CStringW fileName = m_paths[0].IsEmpty() ? CStringW(L"Panorel.recovery") : FileNameOf(m_paths[0]);
  if (!perUserFolder.IsEmpty()) m_paths[1] = perUserFolder + L"\\" + fileName;
  // One place when both are one.
  if (m_paths[1].CompareNoCase(m_paths[0]) == 0) m_paths[1] = CStringW();
}

bool CRecoveryFiles::Write(const CRecoveryRecord& record) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int place = (m_place + attempt) % 2;
    const CStringW& path = m_paths[place];
    if (path.IsEmpty()) continue;
    if (place == 1) EnsureFolder(path.Left(path.ReverseFind(L'\\')));
    if (!WriteRecoveryFile(path, record)) continue;
    m_place = place;
    RemoveRecoveryFile(m_paths[1 - place]);
    return true;
  }
  if (!m_warned) {
    m_warned = true;
    if (HANDLE thread = CreateThread(nullptr, 0, ShowCannotKeepRecord, nullptr, 0, nullptr)) CloseHandle(thread);
  }
  return false;
}

bool CRecoveryFiles::Read(CRecoveryRecord* record) const {
  CRecoveryRecord all;
  bool found = false;
  for (const CStringW& path : m_paths) {
    CRecoveryRecord one;
    if (path.IsEmpty() || !ReadRecoveryFile(path, &one)) continue;
    Merge(one, &all);
    found = true;
  }
  if (found) *record = all;
  return found;
}

void CRecoveryFiles::Remove() const {
  for (const CStringW& path : m_paths) RemoveRecoveryFile(path);
}

void CRecoveryFiles::RemoveIfStill(const CRecoveryRecord& record) const {
  CRecoveryRecord now;
  if (Read(&now) && FormatRecoveryRecord(now) != FormatRecoveryRecord(record)) return;
  Remove();
}
