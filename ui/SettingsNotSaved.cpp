#include "ui/SettingsNotSaved.h"

#include <string>

#include "framework/WinApp.h"
#include "res/StringIds.h"

namespace {

std::wstring LoadWideText(UINT id) {
  // Points into the resource itself: nothing to copy into or free.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace

CStringW SettingsNotSavedText(const CStringW& settingsFile) {
  const std::wstring format = LoadWideText(IDS_SETTINGS_NOT_SAVED);
  const size_t blank = format.find(L"%1");
  if (blank == std::wstring::npos) return format.c_str();
  return (format.substr(0, blank) + settingsFile.GetString() + format.substr(blank + 2)).c_str();
}

void ShowSettingsNotSaved(HWND owner, const CStringW& settingsFile) {
  // The caption of the program's other messages.
  const CStringW caption = TextToWide(AfxGetAppName());
  MessageBoxW(owner, SettingsNotSavedText(settingsFile), caption, MB_ICONWARNING | MB_OK);
}
