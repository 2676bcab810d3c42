// The language the program's own resources are loaded in. A program whose
// templates and strings exist in several languages chooses one at start;
// every dialog template and string is then taken in that language, and a
// resource that exists in one language only is found as the platform
// finds it. Until a language is chosen, the platform's own search decides.
#pragma once

#include <windows.h>

#include "framework/WideString.h"

// The resource types of dialog templates and of string tables, named as the
// wide calls take them.
const LPCWSTR kDialogResourceType = MAKEINTRESOURCEW(5);
const LPCWSTR kStringResourceType = MAKEINTRESOURCEW(6);

// Chooses the language of the resources loaded from now on (a LANGID as the
// resource script's LANGUAGE statement gives it).
void AfxSetResourceLanguage(LANGID language);

// The resource in the chosen language, else the platform's choice; null
// when the module has none.
HRSRC AfxFindResource(HMODULE module, LPCWSTR type, LPCWSTR name);
// The resource's bytes, which live as long as the module; null when it has
// none.
const void* AfxLoadResource(HMODULE module, LPCWSTR type, LPCWSTR name);

// A string of the module's string table in the chosen language; empty when
// the table has none under that id.
CStringW AfxLoadStringW(HMODULE module, UINT id);
