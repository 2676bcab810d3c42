// Where the recovery record lives. Beside the settings file, as always; when
// that place cannot take it (a read-only file, a folder in its way, a full
// disk), in the user's own local application data instead. Only one place
// holds the record at a time, and readers look in both.
#pragma once

#include "framework/WideString.h"
#include "switcher/RecoveryRecord.h"

// "Panorel" in the user's local application data; empty when the system
// names no such folder.
CStringW PerUserRecoveryFolder();

class CRecoveryFiles {
 public:
  // The record that belongs to the settings file settingsPath, with its
  // second place in perUserFolder.
  CRecoveryFiles(const CStringW& settingsPath, const CStringW& perUserFolder);
  CRecoveryFiles(const CRecoveryFiles&) = delete;
  CRecoveryFiles& operator=(const CRecoveryFiles&) = delete;

  // Puts the record in the first place that takes it, the one that took the
  // last record first, and removes it from the other: a record left there
  // would name windows shown since. When no place takes it, the user is told
  // once that what is hidden cannot be given back after a kill; false then.
  bool Write(const CRecoveryRecord& record);
  // What the records in both places name together; false when neither
  // holds a whole record.
  bool Read(CRecoveryRecord* record) const;
  // Both places emptied, a read-only record too: a record that stays would
  // be given back again at every start.
  void Remove() const;
  // Removes the records only while they still say what *record says: a
  // Panorel started meanwhile may have written its own.
  void RemoveIfStill(const CRecoveryRecord& record) const;

  const CStringW& PathOf(int place) const { return m_paths[place]; }

 private:
  CStringW m_paths[2];
  int m_place = 0;
  bool m_warned = false;
};
