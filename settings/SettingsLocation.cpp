#include "settings/SettingsLocation.h"

#include <shlobj.h>

#include "framework/FileAccess.h"
#include "settings/SettingsStore.h"

namespace {

constexpr wchar_t kUserFolderName[] = L"Panorel";

CStringW FileNameOf(const CStringW& path) { return path.Mid(path.ReverseFind(L'\\') + 1); }

}  // namespace

CStringW ChooseSettingsFile(const CStringW& besideProgram, const CStringW& userFolder) {
  if (besideProgram.IsEmpty()) return CStringW();
  if (IsReadableFile(besideProgram)) return besideProgram;

  const CStringW userFile = userFolder.IsEmpty() ? CStringW() : userFolder + L"\\" + FileNameOf(besideProgram);
  if (IsReadableFile(userFile)) return userFile;
  if (CreateEmptyFile(besideProgram)) return besideProgram;
  // Nowhere else to go: the file beside the program, which a save will
  // report it cannot write.
  if (userFile.IsEmpty() || !EnsureFolder(userFolder)) return besideProgram;
  return userFile;
}

CStringW PerUserSettingsFolder() {
  wchar_t folder[MAX_PATH] = L"";
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) || !folder[0]) {
    return CStringW();
  }
  return CStringW(folder) + L"\\" + kUserFolderName;
}

CStringW LocateSettingsFile() { return ChooseSettingsFile(MakeIniPath(), PerUserSettingsFolder()); }
