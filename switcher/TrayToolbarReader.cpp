#include "switcher/TrayToolbarReader.h"

#include <commctrl.h>

namespace {

// Only what the toolbar reading needs: a buffer in the taskbar's memory
// (operation, write, read) and its bitness (limited query). The handle is
// never inherited by a program this one starts.
constexpr DWORD kQueryLimitedInformation = 0x1000;
constexpr DWORD kTaskbarMemoryAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;

// Where TBBUTTON's fields lie in each layout. The 64-bit record pads its
// state and style bytes to the 8-byte alignment of its data field.
struct CButtonOffsets {
  SIZE_T size;
  SIZE_T commandId;
  SIZE_T state;
  SIZE_T data;
  SIZE_T string;
  SIZE_T pointerSize;
};
constexpr CButtonOffsets kButton32 = {20, 4, 8, 12, 16, 4};
constexpr CButtonOffsets kButton64 = {32, 4, 8, 16, 24, 8};

const CButtonOffsets& OffsetsOf(CTrayLayout layout) { return layout == CTrayLayout::k64Bit ? kButton64 : kButton32; }

// The unsigned little-endian value of size bytes.
ULONGLONG ValueAt(const BYTE* bytes, SIZE_T size) {
  ULONGLONG value = 0;
  for (SIZE_T i = size; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

// Addresses of the toolbar's buffer go to a 64-bit toolbar as a 32-bit
// message parameter, widened with its sign: above 2 GB it would name other
// memory there.
constexpr ULONGLONG kSignExtendedFrom = 0x80000000ULL;

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
using ReadVirtualMemory64Function = LONG(NTAPI*)(HANDLE, ULONGLONG, PVOID, ULONGLONG, PULONGLONG);

// Looked up at run time, as is the 64-bit read below: systems without WoW64
// lack both.
bool IsWow64(HANDLE process) {
  static const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64Process && isWow64Process(process, &wow64) && wow64;
}

// Systems before the limited query right know only the full one.
HANDLE OpenTaskbarProcess(DWORD processId) {
  HANDLE process = OpenProcess(kTaskbarMemoryAccess | kQueryLimitedInformation, FALSE, processId);
  return process ? process : OpenProcess(kTaskbarMemoryAccess | PROCESS_QUERY_INFORMATION, FALSE, processId);
}

DWORD ProcessIdOf(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

}  // namespace

bool CTrayButtonRecord::IsHidden() const { return (state & TBSTATE_HIDDEN) != 0; }

SIZE_T TrayButtonRecordSize(CTrayLayout layout) { return OffsetsOf(layout).size; }

CTrayButtonRecord DecodeTrayButtonRecord(const BYTE* bytes, CTrayLayout layout) {
  const CButtonOffsets& at = OffsetsOf(layout);
  CTrayButtonRecord record;
  record.commandId = static_cast<int>(ValueAt(bytes + at.commandId, sizeof(int)));
  record.state = bytes[at.state];
  record.iconRecordAddress = ValueAt(bytes + at.data, at.pointerSize);
  // -1 in the string field's full width.
  const ULONGLONG noString = at.pointerSize == 8 ? ~0ULL : 0xFFFFFFFFULL;
  record.hasOwnerInfo = ValueAt(bytes + at.string, at.pointerSize) != noString;
  return record;
}

CTrayLayout LayoutOfProcess(HANDLE process) {
  // On a 64-bit system every process is 64-bit but those under WoW64.
  const bool system64Bit = sizeof(void*) == 8 || IsWow64(GetCurrentProcess());
  return system64Bit && !IsWow64(process) ? CTrayLayout::k64Bit : CTrayLayout::k32Bit;
}

bool ReadOtherProcess(HANDLE process, ULONGLONG address, void* buffer, SIZE_T size) {
  if (address + size - 1 <= static_cast<ULONGLONG>(static_cast<UINT_PTR>(-1))) {
    SIZE_T read = 0;
    const void* at = reinterpret_cast<const void*>(static_cast<UINT_PTR>(address));
    return ReadProcessMemory(process, at, buffer, size, &read) && read == size;
  }
  // Beyond 4 GB only the system's 64-bit read for WoW64 programs reaches.
  static const auto read64 = reinterpret_cast<ReadVirtualMemory64Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtWow64ReadVirtualMemory64")));
  if (!read64) return false;
  ULONGLONG read = 0;
  return read64(process, address, buffer, size, &read) >= 0 && read == size;
}

CTrayToolbarReader::CTrayToolbarReader(HWND toolbar)
    : m_toolbar(toolbar),
      m_processId(ProcessIdOf(toolbar)),
      m_process(m_processId ? OpenTaskbarProcess(m_processId) : nullptr),
      m_layout(m_process ? LayoutOfProcess(m_process.Get()) : CTrayLayout::k32Bit),
      m_access(!m_processId ? CToolbarAccess::kNoProcessId
                            : (m_process ? CToolbarAccess::kOpen : CToolbarAccess::kNoProcessAccess)),
      m_buffer(m_process.Get(), kButton64.size) {}

int CTrayToolbarReader::ButtonCount() const {
  if (m_access != CToolbarAccess::kOpen) return 0;
  return static_cast<int>(SendMessageA(m_toolbar, TB_BUTTONCOUNT, 0, 0));
}

bool CTrayToolbarReader::ReadButton(int index, CTrayButtonRecord* record) const {
  if (!m_buffer) return false;
  const ULONGLONG buffer = reinterpret_cast<UINT_PTR>(m_buffer.Get());
  if (sizeof(LPARAM) < 8 && m_layout == CTrayLayout::k64Bit && buffer >= kSignExtendedFrom) return false;
  if (!SendMessageA(m_toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(m_buffer.Get()))) return false;
  BYTE bytes[kButton64.size] = {};
  const SIZE_T size = TrayButtonRecordSize(m_layout);
  // A failed read could leave another button's record behind: not used.
  if (!ReadOtherProcess(m_process.Get(), buffer, bytes, size)) return false;
  *record = DecodeTrayButtonRecord(bytes, m_layout);
  return true;
}

DWORD CTrayToolbarReader::ReadIconOwner(const CTrayButtonRecord& record) const {
  // The owner is a window handle of the record's pointer width; handles keep
  // their meaning in their low 32 bits.
  BYTE bytes[sizeof(ULONGLONG)] = {};
  if (!ReadOtherProcess(m_process.Get(), record.iconRecordAddress, bytes, OffsetsOf(m_layout).pointerSize)) return 0;
  return static_cast<DWORD>(ValueAt(bytes, sizeof(DWORD)));
}
