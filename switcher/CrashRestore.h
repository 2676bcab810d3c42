// The last promise kept when the program goes down on an error of its own:
// while a CCrashRestore lives, an unhandled exception on any thread, or a
// C++ terminate, first shows every window and button the switcher hid, and
// only then lets the process end as it would have.
#pragma once

class CDesktopSwitcher;

class CCrashRestore {
 public:
  explicit CCrashRestore(CDesktopSwitcher& switcher);
  ~CCrashRestore();
  CCrashRestore(const CCrashRestore&) = delete;
  CCrashRestore& operator=(const CCrashRestore&) = delete;
};
