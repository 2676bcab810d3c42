#include "settings/SettingsLocation.h"

#include <shlobj.h>

#include "framework/FileAccess.h"
#include "settings/SettingsFileCache.h"
#include "settings/SettingsStore.h"

namespace {

constexpr wchar_t kUserFolderName[] = L"Panorel";

CStringW FileNameOf(const CStringW& path) { return path.Mid(path.ReverseFind(L'\\') + 1); }

bool IsSettingsFile(const CStringW& path) { return IsReadableFile(path) && !IsTooLargeForSettings(path); }

}  // namespace

CStringW ChooseSettingsFile(const CStringW& besideProgram, const CStringW& userFolder, CStringW* tooLarge) {
  if (besideProgram.IsEmpty()) return CStringW();
  if (IsSettingsFile(besideProgram)) return besideProgram;

  const CStringW userFile = userFolder.IsEmpty() ? CStringW() : userFolder + L"\\" + FileNameOf(besideProgram);
  if (IsSettingsFile(userFile)) return userFile;
  if (tooLarge && IsTooLargeForSettings(besideProgram)) *tooLarge = besideProgram;
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

CStringW LocateSettingsFile(CStringW* tooLarge) {
  return ChooseSettingsFile(MakeIniPath(), PerUserSettingsFolder(), tooLarge);
}
