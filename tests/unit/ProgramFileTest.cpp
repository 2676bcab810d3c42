// The built program file itself: which DLLs the loader brings in before the
// program runs a line, and what makes the others come from the system
// folder. Read from the file's import table and load configuration, as the
// loader reads them.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/automation/Panorel.h"

using namespace automation;

namespace {

constexpr DWORD kSearchSystem32Only = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return static_cast<char>(tolower(ch)); });
  return text;
}

// A PE file's headers and the two tables, 32- or 64-bit.
class PeFile {
 public:
  explicit PeFile(std::string bytes) : m_bytes(std::move(bytes)) {
    if (m_bytes.size() < 0x40 || m_bytes.compare(0, 2, "MZ") != 0) return;
    const DWORD header = Read<DWORD>(0x3C);
    if (header + 24 > m_bytes.size() || m_bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0) return;
    const WORD sections = Read<WORD>(header + 6);
    const WORD optionalSize = Read<WORD>(header + 20);
    const size_t optional = header + 24;
    const bool is64 = Read<WORD>(optional) == 0x20B;
    m_directories = optional + (is64 ? 112 : 96);
    m_is64 = is64;
    for (WORD i = 0; i < sections; ++i) {
      const size_t at = optional + optionalSize + i * 40u;
      m_sections.push_back({Read<DWORD>(at + 12), Read<DWORD>(at + 8), Read<DWORD>(at + 20)});
    }
    m_valid = true;
  }

  bool IsValid() const { return m_valid; }

  // The DLLs of the ordinary import table, which the loader loads first.
  std::vector<std::string> ImportedDlls() const {
    std::vector<std::string> dlls;
    for (size_t at = Offset(Directory(IMAGE_DIRECTORY_ENTRY_IMPORT)); at && Read<DWORD>(at + 12); at += 20) {
      dlls.push_back(Lower(Text(Offset(Read<DWORD>(at + 12)))));
    }
    return dlls;
  }

  // The load configuration's dependent-load flags; 0 without them.
  WORD DependentLoadFlags() const {
    const size_t at = Offset(Directory(IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG));
    const size_t field = m_is64 ? 78 : 54;
    if (!at || Read<DWORD>(at) < field + 2) return 0;
    return Read<WORD>(at + field);
  }

  bool Contains(const std::string& text) const { return Lower(m_bytes).find(Lower(text)) != std::string::npos; }

 private:
  struct Section {
    DWORD address;
    DWORD size;
    DWORD fileOffset;
  };

  template <typename T>
  T Read(size_t at) const {
    T value{};
    if (at + sizeof value <= m_bytes.size()) std::memcpy(&value, m_bytes.data() + at, sizeof value);
    return value;
  }
  DWORD Directory(int index) const { return m_valid ? Read<DWORD>(m_directories + index * 8u) : 0; }
  // Where an address of the loaded image lies in the file; 0 when nowhere.
  size_t Offset(DWORD address) const {
    for (const Section& section : m_sections) {
      if (address && address >= section.address && address < section.address + section.size) {
        return section.fileOffset + (address - section.address);
      }
    }
    return 0;
  }
  std::string Text(size_t at) const { return at < m_bytes.size() ? std::string(m_bytes.c_str() + at) : ""; }

  std::string m_bytes;
  bool m_valid = false;
  bool m_is64 = false;
  size_t m_directories = 0;
  std::vector<Section> m_sections;
};

TEST(ProgramFileTest, OnlyKnownDllsLoadWithTheProgramAndTheOthersComeFromTheSystemFolder) {
  // The build folder's path is plain ASCII.
  const std::string path = BuiltProgram("PANOREL_EXE");
  const PeFile program(FileBytes(std::wstring(path.begin(), path.end())));
  ASSERT_TRUE(program.IsValid());

  // Known DLLs on every system the program runs on: the system always takes
  // them from its own folder.
  const std::set<std::string> known = {"advapi32.dll", "gdi32.dll", "kernel32.dll",
                                       "msvcrt.dll",   "shell32.dll", "user32.dll"};
  const bool dependentsFromSystemFolder = (program.DependentLoadFlags() & kSearchSystem32Only) != 0;
  const std::vector<std::string> imported = program.ImportedDlls();
  ASSERT_FALSE(imported.empty());
  for (const std::string& dll : imported) {
    EXPECT_TRUE(known.count(dll) || dependentsFromSystemFolder) << dll << " loads from the program's folder first";
  }

  // The others are loaded at their first call, after the program has told
  // the loader to search the system folder only.
  EXPECT_TRUE(program.Contains("SetDefaultDllDirectories"));
  for (const char* dll : {"comctl32.dll", "comdlg32.dll", "psapi.dll", "wininet.dll", "ws2_32.dll"}) {
    EXPECT_TRUE(std::find(imported.begin(), imported.end(), dll) == imported.end()) << dll;
    EXPECT_TRUE(program.Contains(dll)) << dll << " is delay-loaded, not left out";
  }
}

}  // namespace
