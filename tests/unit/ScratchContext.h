// The program's context for tests that run its parts in the test process:
// settings in a scratch folder of their own, and a title of the test's.
#pragma once

#include <string>

#include "settings/AppContext.h"
#include "tests/automation/Panorel.h"

class ScratchContext : public CAppContext {
 public:
  explicit ScratchContext(const char* title = "test") : m_title(title) {}
  CStringW GetIniPath() override { return TextToWide(m_folder.File("test.ini").c_str()); }
  CString GetMainTitle() const override { return m_title.c_str(); }

 private:
  automation::ScratchFolder m_folder;
  std::string m_title;
};
