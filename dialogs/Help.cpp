#include "dialogs/Help.h"

#include <shellapi.h>

#include "framework/FileAccess.h"
#include "framework/Strings.h"
#include "res/StringIds.h"

CStringW HelpFilePath() {
  const CStringW program = GetModulePath();
  return program.Left(program.ReverseFind(L'\\') + 1) + TextToWide(LoadText(IDS_HELP_FILE));
}

void OpenHelp() {
  const auto opened = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", HelpFilePath(), nullptr, nullptr, SW_SHOWNORMAL));
  // Above 32: the shell has taken it.
  if (opened <= 32) ::MessageBeep(0);
}

LRESULT CHelpLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_LBUTTONDOWN) return CStaticLink::WindowProc(message, wParam, lParam);
  OpenHelp();
  return 0;
}
