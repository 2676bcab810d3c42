#include "switcher/RecoveryRecord.h"

#include <algorithm>
#include <cstdlib>

#include "framework/FileAccess.h"
#include "switcher/WindowEntry.h"

namespace {

constexpr char kHeader[] = "Panorel recovery 1";
// Window class names are at most 256 characters.
constexpr int kClassNameSize = 257;
// A record of a few thousand windows is a few hundred kilobytes; anything
// much larger is not ours.
constexpr DWORD kLargestRecord = 4 * 1024 * 1024;

bool ParseNumber(const std::string& text, DWORD* value) {
  if (text.empty() || text[0] == ' ' || text[0] == '-' || text[0] == '+') return false;
  char* end = nullptr;
  const unsigned long number = std::strtoul(text.c_str(), &end, 0);
  if (*end != '\0') return false;
  *value = static_cast<DWORD>(number);
  return true;
}

// Splits the first blank-separated word off *rest.
std::string TakeWord(std::string* rest) {
  const size_t blank = rest->find(' ');
  std::string word = rest->substr(0, blank);
  rest->erase(0, blank == std::string::npos ? rest->size() : blank + 1);
  return word;
}

// "<handle> <process id> <class name>": the class name is the rest of the
// line and may hold blanks.
bool ParseWindowFields(std::string fields, CHiddenWindowRecord* window) {
  if (!ParseNumber(TakeWord(&fields), &window->window)) return false;
  if (!ParseNumber(TakeWord(&fields), &window->processId)) return false;
  window->className = fields;
  return !window->className.empty();
}

// The platform's own formatting: the C runtime's would add its whole printf
// family to the program for three lines.
void AppendLine(std::string* text, const char* format, DWORD first, DWORD second = 0) {
  char line[64];
  wsprintfA(line, format, first, second);
  *text += line;
}

}  // namespace

std::string FormatRecoveryRecord(const CRecoveryRecord& record) {
  std::string text = std::string(kHeader) + "\n";
  DWORD lines = 0;
  for (const CHiddenWindowRecord& window : record.windows) {
    AppendLine(&text, "window 0x%08lX %lu ", window.window, window.processId);
    text += window.className + "\n";
    ++lines;
  }
  if (record.buttonsHidden) {
    text += "buttons\n";
    ++lines;
  }
  for (const CUnownedButtonRecord& button : record.unownedButtons) {
    AppendLine(&text, "unowned 0x%08lX %lu\n", button.toolbar, button.commandId);
    ++lines;
  }
  // The count closes the record: a file cut short anywhere lacks it.
  AppendLine(&text, "end %lu\n", lines);
  return text;
}

bool ParseRecoveryRecord(const std::string& text, CRecoveryRecord* record) {
  CRecoveryRecord parsed;
  DWORD count = 0;
  size_t at = 0;
  bool first = true;
  while (at < text.size()) {
    const size_t lineEnd = text.find('\n', at);
    if (lineEnd == std::string::npos) return false;
    std::string fields = text.substr(at, lineEnd - at);
    at = lineEnd + 1;
    if (first) {
      if (fields != kHeader) return false;
      first = false;
      continue;
    }
    const std::string kind = TakeWord(&fields);
    if (kind == "end") {
      DWORD expected = 0;
      // Nothing may follow the end line.
      if (!ParseNumber(fields, &expected) || expected != count || at != text.size()) return false;
      *record = parsed;
      return true;
    }
    if (kind == "window") {
      CHiddenWindowRecord window;
      if (!ParseWindowFields(fields, &window)) return false;
      parsed.windows.push_back(window);
    } else if (kind == "buttons" && fields.empty()) {
      parsed.buttonsHidden = true;
    } else if (kind == "unowned") {
      CUnownedButtonRecord button;
      if (!ParseNumber(TakeWord(&fields), &button.toolbar) || !ParseNumber(fields, &button.commandId)) return false;
      parsed.unownedButtons.push_back(button);
    } else {
      return false;
    }
    ++count;
  }
  return false;
}

CStringW RecoveryPathFor(const CStringW& settingsPath) {
  if (settingsPath.IsEmpty()) return CStringW();
  const int dot = settingsPath.ReverseFind(L'.');
  const int slash = std::max(settingsPath.ReverseFind(L'\\'), settingsPath.ReverseFind(L'/'));
  return (dot > slash ? settingsPath.Left(dot) : settingsPath) + L".recovery";
}

bool WriteRecoveryFile(const CStringW& path, const CRecoveryRecord& record) {
  return ReplaceWholeFile(path, FormatRecoveryRecord(record));
}

bool ReadRecoveryFile(const CStringW& path, CRecoveryRecord* record) {
  std::string text;
  return ReadWholeFile(path, kLargestRecord, &text) == CFileReadResult::kRead && ParseRecoveryRecord(text, record);
}

void RemoveRecoveryFile(const CStringW& path) {
  if (path.IsEmpty()) return;
  // A record made read-only is still spent once given back: left in place,
  // it would be given back again at every start.
  const DWORD attributes = GetFileAttributesW(FileCallPath(path));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetFileAttributesW(FileCallPath(path), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  RemoveFile(path);
}

CHiddenWindowRecord DescribeWindow(HWND window) {
  CHiddenWindowRecord recorded;
  recorded.window = EntryOf(window);
  GetWindowThreadProcessId(window, &recorded.processId);
  char className[kClassNameSize] = "";
  GetClassNameA(window, className, sizeof className);
  recorded.className = className;
  return recorded;
}

bool IsSameWindow(const CHiddenWindowRecord& recorded) {
  HWND window = WindowOf(recorded.window);
  if (!IsWindow(window)) return false;
  const CHiddenWindowRecord now = DescribeWindow(window);
  return now.processId == recorded.processId && now.className == recorded.className;
}
