#include "app/StartupHelpers.h"

#include <windows.h>

#include "framework/WideString.h"

void ShowMessage(CString text) { MessageBoxW(nullptr, TextToWide(text), L"", MB_OK); }

void ShowMessage(const CStringW& text) { MessageBoxW(nullptr, text, L"", MB_OK); }

bool CommandLineHasSwitch(const CString& commandLine) { return commandLine.Find('/') >= 1; }
