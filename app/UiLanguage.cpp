#include "app/UiLanguage.h"

#include <cstring>

#include "framework/ResourceLanguage.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"

namespace {

bool StartsWithNoCase(const CString& text, const char* prefix) {
  const int length = static_cast<int>(std::strlen(prefix));
  return text.GetLength() >= length && text.Left(length).CompareNoCase(prefix) == 0;
}

}  // namespace

UiLanguage ChooseUiLanguage(LANGID userLanguage, const CString& override) {
  if (StartsWithNoCase(override, "zh")) return UiLanguage::kChinese;
  if (StartsWithNoCase(override, "en")) return UiLanguage::kEnglish;
  return PRIMARYLANGID(userLanguage) == LANG_CHINESE ? UiLanguage::kChinese : UiLanguage::kEnglish;
}

LANGID ResourceLanguageOf(UiLanguage language) {
  // As res/Panorel.rc declares them.
  return language == UiLanguage::kChinese ? MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)
                                          : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

void SpeakTheUsersLanguage(const CStringW& settingsFile) {
  const CString override = PeekSetting(settingsFile, setting::kLanguage);
  AfxSetResourceLanguage(ResourceLanguageOf(ChooseUiLanguage(GetUserDefaultUILanguage(), override)));
}
