#pragma once

#include "framework/String.h"
#include "framework/WideString.h"

// A plain message box: no owner, an empty caption, one OK button.
void ShowMessage(CString text);
// The same for a text that may name a path in any script.
void ShowMessage(const CStringW& text);

// True when the command line carries a "/" anywhere after its first byte.
// The program has no switches, so any such "/" refuses the start.
bool CommandLineHasSwitch(const CString& commandLine);
