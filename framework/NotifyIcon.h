// The notification-area record in its first and smallest form: every shell
// accepts it, and the program needs nothing the later forms add.
#pragma once

#include <windows.h>
#include <shellapi.h>

inline NOTIFYICONDATAW NotifyIconRecord(HWND owner, UINT id, UINT flags) {
  NOTIFYICONDATAW record = {};
  record.cbSize = NOTIFYICONDATAW_V1_SIZE;
  record.hWnd = owner;
  record.uID = id;
  record.uFlags = flags;
  return record;
}
