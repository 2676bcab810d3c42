#include "app/StartupHelpers.h"

#include <windows.h>

void ShowMessage(CString text) { MessageBoxA(nullptr, text, "", MB_OK); }

bool CommandLineHasSwitch(const CString& commandLine) { return commandLine.Find('/') >= 1; }
