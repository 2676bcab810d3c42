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
  // The temporary folder's path is plain ASCII, so the narrow form holds it.
  std::string Path() const;
  std::string File(const std::string& name) const { return Path() + "\\" + name; }
  const std::wstring& PathW() const { return m_path; }

 private:
  std::wstring m_path;
};

// A Unix path (as CTest hands it over) as the program sees it under Wine.
std::string WindowsPathOf(const std::string& unixPath);
// Where the built program and helper programs are, from the environment.
std::string BuiltProgram(const char* environmentVariable);

// Removes a folder with everything in it.
void RemoveTree(const std::wstring& path);

// A file's bytes as they are ("" when it cannot be read), and a file
// written with exactly these bytes.
std::string FileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// The per-user section of the agreement: user name "." computer name.
std::string AgreementSection();

// Where a PanorelInstance's program is, besides the default (a copy in a
// fresh scratch folder): a copy in a folder of that name, in any script,
// inside the scratch folder ...
struct InSubfolder {
  std::wstring name;
};
// ... or the program where it already is, not copied: in a folder the test
// may not be able to write.
struct AsInstalled {
  std::wstring exePath;
};

class PanorelInstance {
 public:
  explicit PanorelInstance(const std::string& exeName = "Panorel.exe");
  explicit PanorelInstance(const InSubfolder& subfolder);
  explicit PanorelInstance(const AsInstalled& program);
  // Ends the program if it still runs, and waits for its watcher to end.
  ~PanorelInstance();

  // The paths as code page 936 bytes, for paths that code page can hold.
  std::string ExePath() const;
  std::string IniPath() const;
  // The same paths in any script. The settings file is the one beside the
  // program.
  const std::wstring& ExePathW() const { return m_exePath; }
  std::wstring IniPathW() const;
  std::wstring ProgramFolderW() const;

  // The settings file's bytes as they are, and the file written with them.
  std::string IniText() const { return FileBytes(IniPathW()); }
  bool SetIniText(const std::string& bytes) const { return WriteFileBytes(IniPathW(), bytes); }
  // Through the platform's profile calls, which decode the file with the
  // system's code page: under another code page than 936 only plain ASCII
  // values read back right, and tests check other values in IniText().
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
  // The process the running program started to watch over it; 0 when there
  // is not exactly one.
  DWORD WatcherId() const;

 private:
  ScratchFolder m_folder;
  std::wstring m_exePath;
  std::unique_ptr<Process> m_process;
};

}  // namespace automation
