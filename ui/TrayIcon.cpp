#include "ui/TrayIcon.h"

#include <shellapi.h>

#include "framework/NotifyIcon.h"
#include "framework/WideString.h"

const UINT g_uTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");

namespace {

constexpr int kTipBytes = 63;
constexpr UINT kBalloonMs = 15000;

}  // namespace

CString FitTrayTip(const CString& tip) { return tip.LeftWholeChars(kTipBytes); }

CTrayIcon::~CTrayIcon() {
  if (m_added) Delete();
}

bool CTrayIcon::Add(HWND owner, HICON image, const CString& tip) {
  m_owner = owner;
  m_tip = FitTrayTip(tip);
  NOTIFYICONDATAW record = NotifyIconRecord(owner, TRAY_ICON_ID, NIF_MESSAGE | NIF_ICON | NIF_TIP);
  record.uCallbackMessage = WM_TRAYNOTIFY;
  record.hIcon = image;
  lstrcpynW(record.szTip, TextToWide(m_tip), sizeof record.szTip / sizeof record.szTip[0]);
  m_added = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
  return m_added;
}

bool CTrayIcon::Modify(HICON image) {
  if (!m_added) return false;
  NOTIFYICONDATAW record = NotifyIconRecord(m_owner, TRAY_ICON_ID, NIF_ICON);
  record.hIcon = image;
  return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

bool CTrayIcon::ShowBalloon(const CString& title, const CString& text) {
  if (!m_added) return false;
  NOTIFYICONDATAW record = NotifyIconRecord(m_owner, TRAY_ICON_ID, NIF_INFO);
  // The first form that carries a balloon.
  record.cbSize = NOTIFYICONDATAW_V2_SIZE;
  lstrcpynW(record.szInfoTitle, TextToWide(title), sizeof record.szInfoTitle / sizeof record.szInfoTitle[0]);
  lstrcpynW(record.szInfo, TextToWide(text), sizeof record.szInfo / sizeof record.szInfo[0]);
  // The icon's own image beside the title; older shells keep it up this
  // long, newer ones decide themselves.
  record.dwInfoFlags = NIIF_USER;
  record.uTimeout = kBalloonMs;
  return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

void CTrayIcon::Delete() {
  if (!m_owner) return;
  NOTIFYICONDATAW record = NotifyIconRecord(m_owner, TRAY_ICON_ID, 0);
  Shell_NotifyIconW(NIM_DELETE, &record);
  m_added = false;
}
