// The program under test, copied into a fresh folder of its own so that its
// settings file (which lives beside it) starts out as the test wants.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "tests/automation/Process.h"

namespace automation {

constexpr char kMainTitle[] = "Panorel - www.panorel.example";
constexpr char kAgreementTitle[] = "帕诺瑞尔 Panorel 使用许可协议";

// An empty folder under the temporary folder, removed with its contents.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "\\" + name; }

 private:
  std::string m_path;
};

// A Unix path (as CTest hands it over) as the program sees it under Wine.
std::string WindowsPathOf(const std::string& unixPath);
// Where the built program and helper programs are, from the environment.
std::string BuiltProgram(const char* environmentVariable);

// The per-user section of the agreement: user name "." computer name.
std::string AgreementSection();

class PanorelInstance {
 public:
  explicit PanorelInstance(const std::string& exeName = "Panorel.exe");

  std::string ExePath() const { return m_folder.File(m_exeName); }
  std::string IniPath() const;
  std::string IniText() const;
  std::string ReadIni(const char* section, const char* key) const;
  void WriteIni(const char* section, const char* key, const char* value) const;
  void AcceptAgreement() const { WriteIni(AgreementSection().c_str(), "Allow", "Y"); }
  const ScratchFolder& Folder() const { return m_folder; }

  // Starts the copy; arguments follow the quoted program path.
  Process& Start(const std::string& arguments = "");
  Process& process() { return *m_process; }
  // The main dialog once it bears the main title (visible or not).
  HWND WaitForMainDialog(DWORD timeoutMs = 15000);
  // Presses the exit button and waits for the program to end.
  bool Exit();

 private:
  ScratchFolder m_folder;
  std::string m_exeName;
  std::unique_ptr<Process> m_process;
};

}  // namespace automation
