// What the program has hidden, kept on disk so that a later run can give it
// back when this one was ended from outside or lost its power. The record is
// written whole before anything is hidden and replaced in one step, so a
// reader finds either the old record or the new one, never half of either.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/WideString.h"

// A hidden window, named well enough that a later run can tell it from a
// new window that was given the same handle value.
struct CHiddenWindowRecord {
  DWORD window = 0;
  DWORD processId = 0;
  std::string className;
};

// A hidden button without owner information, by its toolbar and command
// identifier.
struct CUnownedButtonRecord {
  DWORD toolbar = 0;
  DWORD commandId = 0;
};

struct CRecoveryRecord {
  std::vector<CHiddenWindowRecord> windows;
  // Set once other programs' notification buttons may have been hidden.
  bool buttonsHidden = false;
  std::vector<CUnownedButtonRecord> unownedButtons;
};

// The record's text, and the reading of it back. Parsing fails (and leaves
// *record as it was) on anything that is not a whole record of this version.
std::string FormatRecoveryRecord(const CRecoveryRecord& record);
bool ParseRecoveryRecord(const std::string& text, CRecoveryRecord* record);

// The record's file beside the settings file: "Panorel.ini" keeps its record
// in "Panorel.recovery". Empty when there is no settings file.
CStringW RecoveryPathFor(const CStringW& settingsPath);

// Writes a new file beside the old one and then puts it in its place.
bool WriteRecoveryFile(const CStringW& path, const CRecoveryRecord& record);
// False when there is no file or it holds no whole record.
bool ReadRecoveryFile(const CStringW& path, CRecoveryRecord* record);
// Removes the file, read-only or not.
void RemoveRecoveryFile(const CStringW& path);

// What a hidden window is recorded as, read from the live window.
CHiddenWindowRecord DescribeWindow(HWND window);
// True while window still is the window that was recorded: same process and
// class (handle values are reused once a window is gone).
bool IsSameWindow(const CHiddenWindowRecord& recorded);
