// The user's guide: a page in the program's language beside the program,
// opened by F1 in the dialogs that offer it and by a link in the form.
#pragma once

#include <windows.h>

#include "dialogs/StaticLink.h"
#include "framework/WideString.h"

// The guide of the language the program speaks, beside the program file.
CStringW HelpFilePath();

// Asks the shell to open the guide; a beep when it cannot.
void OpenHelp();

// A link that opens the guide: it looks and behaves like any other link of
// the program, only the target is found beside the program at the click.
class CHelpLink : public CStaticLink {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
