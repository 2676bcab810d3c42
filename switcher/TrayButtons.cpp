// The notification-icon step of a switch and the exit's counterpart: the
// buttons of the taskbar's notification toolbar are hidden and shown from
// outside, and their owners are split between the desktops like windows.
#include "switcher/TrayButtons.h"

#include <commctrl.h>
#include <shellapi.h>

#include "framework/Handles.h"
#include "switcher/DesktopSwitcher.h"
#include "switcher/WindowEntry.h"

namespace {

// All access, with an inheritable handle: how the toolbar reading has always
// opened the taskbar's process.
constexpr DWORD kTaskbarProcessAccess = 0x1F0FFF;
constexpr UINT kRefreshIconId = 0;

DWORD DWordAt(const BYTE* bytes) {
  return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 | static_cast<DWORD>(bytes[2]) << 16 |
         static_cast<DWORD>(bytes[3]) << 24;
}

// The toolbar at the end of the window path "Shell_TrayWnd" ->
// "TrayNotifyWnd" -> "ToolbarWindow32", or the failing step's result.
int FindNotificationToolbar(HWND* toolbar) {
  HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (!taskbar) return TRAYBTN_NO_TASKBAR;
  HWND notifyArea = FindWindowExA(taskbar, nullptr, "TrayNotifyWnd", nullptr);
  if (!notifyArea) return TRAYBTN_NO_NOTIFY_AREA;
  *toolbar = FindWindowExA(notifyArea, nullptr, "ToolbarWindow32", nullptr);
  return *toolbar ? 0 : TRAYBTN_NO_TOOLBAR;
}

// The toolbar writes button index's record into buffer, memory of its own
// process, from where it is read back. False when either step failed: the
// buffer may then still hold another button's record.
bool ReadTrayButton(HANDLE process, HWND toolbar, void* buffer, int index, CTrayButtonRecord* record) {
  if (!SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(buffer))) return false;
  BYTE bytes[kTrayButtonRecordSize] = {};
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, buffer, bytes, sizeof bytes, &read) || read != sizeof bytes) return false;
  *record = DecodeTrayButtonRecord(bytes);
  return true;
}

// The owner window named by the icon's record; 0 when it cannot be read.
DWORD ReadIconOwner(HANDLE process, DWORD iconRecordAddress) {
  DWORD owner = 0;
  SIZE_T read = 0;
  const void* address = reinterpret_cast<const void*>(static_cast<UINT_PTR>(iconRecordAddress));
  if (!ReadProcessMemory(process, address, &owner, sizeof owner, &read) || read != sizeof owner) return 0;
  return owner;
}

void HideTrayButton(HWND toolbar, int commandId, bool hide) {
  SendMessageA(toolbar, TB_HIDEBUTTON, commandId, MAKELPARAM(hide ? TRUE : FALSE, 0));
}

}  // namespace

CTrayButtonRecord DecodeTrayButtonRecord(const BYTE* bytes) {
  CTrayButtonRecord record;
  record.commandId = static_cast<int>(DWordAt(bytes + 4));
  record.state = bytes[8];
  record.iconRecordAddress = DWordAt(bytes + 12);
  record.hasOwnerInfo = DWordAt(bytes + 16) != 0xFFFFFFFFu;
  return record;
}

int CDesktopSwitcher::CollectTrayButtons(CDWordArrayEx& owners, int mode, HWND* toolbar, CDWordArrayEx* commandIds) {
  HWND found = nullptr;
  if (const int failure = FindNotificationToolbar(&found)) return failure;
  *toolbar = found;
  DWORD processId = 0;
  GetWindowThreadProcessId(found, &processId);
  if (processId == 0) return TRAYBTN_NO_PROCESS_ID;
  CKernelHandle process(OpenProcess(kTaskbarProcessAccess, TRUE, processId));
  if (!process) return TRAYBTN_NO_PROCESS_ACCESS;
  CRemoteMemory buffer(process.Get(), kTrayButtonRecordSize);

  const int count = static_cast<int>(SendMessageA(found, TB_BUTTONCOUNT, 0, 0));
  owners.SetSize(0);
  if (commandIds) commandIds->SetSize(0);
  auto append = [&](DWORD owner, int commandId) {
    owners.Add(owner);
    if (commandIds) commandIds->Add(static_cast<DWORD>(commandId));
  };
  for (int index = 0; index < count; ++index) {
    CTrayButtonRecord record;
    if (!buffer || !ReadTrayButton(process.Get(), found, buffer.Get(), index, &record)) {
      // Without its record the button cannot even be named: leave it be.
      if (mode == TRAYBTN_HIDE_OTHERS) append(0, 0);
      continue;
    }
    if (!record.hasOwnerInfo) {
      if (mode == TRAYBTN_HIDE_OTHERS) {
        // Hidden, but no desktop can claim it: remember it for the exit.
        if (!record.IsHidden() && m_arrHiddenUnownedButtons.Find(static_cast<DWORD>(record.commandId)) < 0) {
          m_arrHiddenUnownedButtons.Add(static_cast<DWORD>(record.commandId));
        }
        HideTrayButton(found, record.commandId, true);
        append(0, record.commandId);
      } else if (m_arrHiddenUnownedButtons.Find(static_cast<DWORD>(record.commandId)) >= 0) {
        HideTrayButton(found, record.commandId, false);
      }
      continue;
    }
    const DWORD owner = ReadIconOwner(process.Get(), record.iconRecordAddress);
    const bool isOwn = owner == EntryOf(m_hOwnWindow);
    if (mode == TRAYBTN_HIDE_OTHERS) {
      if (!isOwn) HideTrayButton(found, record.commandId, true);
    } else {
      HideTrayButton(found, record.commandId, false);
    }
    append(isOwn ? 0 : owner, record.commandId);
  }
  return owners.GetSize();
}

void CDesktopSwitcher::SwitchTrayIcons(int from, int to) {
  CDWordArrayEx owners;
  CDWordArrayEx commandIds;
  HWND toolbar = nullptr;
  CollectTrayButtons(owners, TRAYBTN_HIDE_OTHERS, &toolbar, &commandIds);
  CDWordArrayEx& entering = IconsOf(to);
  CDWordArrayEx& leaving = IconsOf(from);
  for (int i = 0; i < owners.GetSize(); ++i) {
    const DWORD owner = owners.GetAt(i);
    if (owner == 0) continue;
    if (entering.Find(owner) >= 0) {
      HideTrayButton(toolbar, static_cast<int>(commandIds.GetAt(i)), false);
    } else if (leaving.Find(owner) < 0) {
      leaving.Add(owner);
    }
  }
  RefreshTrayArea();
}

void CDesktopSwitcher::ShowAllTrayButtons() {
  CDWordArrayEx owners;
  HWND toolbar = nullptr;
  CollectTrayButtons(owners, TRAYBTN_SHOW_ALL, &toolbar);
  RefreshTrayArea();
}

void CDesktopSwitcher::RefreshTrayArea() {
  // Adding and deleting an icon of our own makes the taskbar lay out its
  // buttons again. Identifier 0 is not the program's own icon's, and the
  // shared system icon needs no destroying.
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = m_hOwnWindow;
  data.uID = kRefreshIconId;
  data.uFlags = NIF_ICON;
  data.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
  Shell_NotifyIconA(NIM_ADD, &data);
  Shell_NotifyIconA(NIM_DELETE, &data);
}
