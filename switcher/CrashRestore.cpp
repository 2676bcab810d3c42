#include "switcher/CrashRestore.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

#include "switcher/DesktopSwitcher.h"

namespace {

// The platform's filter and the runtime's terminate handler take no context,
// so the one switcher being guarded is reached from here.
CDesktopSwitcher* g_guarded = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
std::terminate_handler g_previousTerminate = nullptr;
volatile LONG g_restoring = 0;

void RestoreOnce() {
  // A second error while restoring must not restore again.
  if (InterlockedExchange(&g_restoring, 1) != 0 || !g_guarded) return;
  g_guarded->ShowEverythingOnError();
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
  RestoreOnce();
  return g_previousFilter ? g_previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

void OnTerminate() {
  RestoreOnce();
  if (g_previousTerminate) g_previousTerminate();
  std::abort();
}

}  // namespace

CCrashRestore::CCrashRestore(CDesktopSwitcher& switcher) {
  g_guarded = &switcher;
  g_previousFilter = SetUnhandledExceptionFilter(OnUnhandledException);
  g_previousTerminate = std::set_terminate(OnTerminate);
}

CCrashRestore::~CCrashRestore() {
  std::set_terminate(g_previousTerminate);
  SetUnhandledExceptionFilter(g_previousFilter);
  g_guarded = nullptr;
}
