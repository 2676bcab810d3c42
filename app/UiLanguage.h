// The language Panorel speaks: Chinese to a user whose system speaks any
// Chinese, English to everyone else, unless the settings file's extras say
// otherwise. Decided once at start; from then on every template and string
// comes from the resources of that language.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "framework/WideString.h"

enum class UiLanguage { kChinese, kEnglish };

// The language for a user whose user-interface language is userLanguage,
// with override as the extras' "Language" value: one starting with "zh"
// (any case) is Chinese, one starting with "en" English; anything else,
// an empty value too, leaves the choice to the system's language.
UiLanguage ChooseUiLanguage(LANGID userLanguage, const CString& override);

// The LANGUAGE under which the resource script keeps that language's texts.
LANGID ResourceLanguageOf(UiLanguage language);

// Chooses the language for this user and settings file (none: the
// system's language alone) and loads every template and string in it from
// now on.
void SpeakTheUsersLanguage(const CStringW& settingsFile);
