// Where the settings file lives. Beside the program, as always, when that
// works; when the program's folder cannot take the file (a copy under the
// system's program folder run by an ordinary user, or a folder in the way),
// in the user's own application data instead, and from there on for good.
// A file beside the program that can be read is always honoured, even a
// read-only one an administrator put there.
#pragma once

#include "framework/WideString.h"

// The choice between besideProgram and the file of the same name in
// userFolder, in this order: a readable file beside the program; a file
// that is already in the user's folder; a file beside the program created
// now; the file in the user's folder, whose folder is created when missing.
// An empty besideProgram (the program has no settings path) gives empty.
// A file too large to be settings counts as none; when the file beside the
// program is such a file and the choice is made afresh, tooLarge names it,
// so that the user is told once, and not at every start.
CStringW ChooseSettingsFile(const CStringW& besideProgram, const CStringW& userFolder, CStringW* tooLarge = nullptr);

// "Panorel" in the user's application data folder; empty when the system
// names no such folder.
CStringW PerUserSettingsFolder();

// This program's settings file, chosen as above.
CStringW LocateSettingsFile(CStringW* tooLarge = nullptr);
