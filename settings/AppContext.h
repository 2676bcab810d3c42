// What the parts of the program below the application object need to know of
// the running program: where its settings live and the title it goes by. The
// application object provides it; tests provide their own.
#pragma once

#include "framework/String.h"
#include "framework/WideString.h"

class CAppContext {
 public:
  // The settings file; empty when the program has none.
  virtual CStringW GetIniPath() = 0;
  virtual CString GetMainTitle() const = 0;

 protected:
  ~CAppContext() = default;
};
