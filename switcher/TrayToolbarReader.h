// Reading a toolbar of the taskbar's process from outside. The toolbar
// writes a button's record into memory of its own process, from where it is
// read back; the record names, by address in that process, the icon's own
// record, whose first field is the icon's owner window. A 32-bit program
// meets a 64-bit taskbar on 64-bit systems: there both records have the
// 64-bit layout and the icons' records usually lie above 4 GB.
#pragma once

#include <windows.h>

#include "framework/Handles.h"

enum class CTrayLayout { k32Bit, k64Bit };

// The toolbar's record of one button, as far as the icon step needs it.
struct CTrayButtonRecord {
  // What the toolbar's hide message takes; positions shift as the taskbar
  // adds and removes icons, identifiers do not.
  int commandId = 0;
  BYTE state = 0;
  // Address, in the taskbar's process, of the icon's record.
  ULONGLONG iconRecordAddress = 0;
  // False when the string field is -1: the button's owner is not read.
  bool hasOwnerInfo = false;

  bool IsHidden() const;
};

// How many bytes a button record has in layout.
SIZE_T TrayButtonRecordSize(CTrayLayout layout);
// Decodes the TrayButtonRecordSize(layout) bytes read from the taskbar's process.
CTrayButtonRecord DecodeTrayButtonRecord(const BYTE* bytes, CTrayLayout layout);

// The layout of process's records as this program sees them: 64-bit when
// this program runs under WoW64 and the other process does not.
CTrayLayout LayoutOfProcess(HANDLE process);
// Reads size bytes at address of process, an address that may lie beyond
// this program's own pointers. False unless all were read.
bool ReadOtherProcess(HANDLE process, ULONGLONG address, void* buffer, SIZE_T size);

enum class CToolbarAccess { kOpen, kNoProcessId, kNoProcessAccess };

// One toolbar of another process, opened for reading for as long as the
// object lives; the memory it borrows there is released with it.
class CTrayToolbarReader {
 public:
  explicit CTrayToolbarReader(HWND toolbar);
  CTrayToolbarReader(const CTrayToolbarReader&) = delete;
  CTrayToolbarReader& operator=(const CTrayToolbarReader&) = delete;

  CToolbarAccess Access() const { return m_access; }
  int ButtonCount() const;
  // False when the button's record could not be fetched and read.
  bool ReadButton(int index, CTrayButtonRecord* record) const;
  // The owner window named by the button's icon record; 0 when unreadable.
  DWORD ReadIconOwner(const CTrayButtonRecord& record) const;

 private:
  HWND m_toolbar;
  DWORD m_processId = 0;
  CKernelHandle m_process;
  CTrayLayout m_layout = CTrayLayout::k32Bit;
  CToolbarAccess m_access = CToolbarAccess::kNoProcessId;
  // Created once the process is open; large enough for either layout.
  CRemoteMemory m_buffer;
};
