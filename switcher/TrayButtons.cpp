#include "switcher/TrayButtons.h"

#include <commctrl.h>
#include <shellapi.h>

#include "framework/NotifyIcon.h"
#include "switcher/IconToolbars.h"
#include "switcher/TrayToolbarReader.h"
#include "switcher/WindowEntry.h"

namespace {

constexpr UINT kRefreshIconId = 0;

CTrayReach ReachOf(CIconToolbarLookup lookup) {
  switch (lookup) {
    case CIconToolbarLookup::kFound: return CTrayReach::kRead;
    case CIconToolbarLookup::kNoTaskbar: return CTrayReach::kNoTaskbar;
    case CIconToolbarLookup::kNoNotifyArea: return CTrayReach::kNoNotifyArea;
    case CIconToolbarLookup::kNoIconToolbar: break;
  }
  return CTrayReach::kNoIconToolbar;
}

CTrayReach ReachOf(CToolbarAccess access) {
  switch (access) {
    case CToolbarAccess::kOpen: return CTrayReach::kRead;
    case CToolbarAccess::kNoProcessId: return CTrayReach::kNoProcessId;
    case CToolbarAccess::kNoProcessAccess: break;
  }
  return CTrayReach::kNoProcessAccess;
}

// By command identifier: positions shift as icons come and go.
void SetButtonHidden(const CTrayButton& button, bool hidden) {
  SendMessageA(button.toolbar, TB_HIDEBUTTON, button.commandId, MAKELPARAM(hidden ? TRUE : FALSE, 0));
}

}  // namespace

CTrayCollection CTrayButtons::CollectTrayButtons(int mode) {
  const CIconToolbars found = FindIconToolbars();
  CTrayCollection result;
  result.reach = ReachOf(found.lookup);
  bool read = false;
  for (HWND toolbar : found.toolbars) {
    CTrayToolbarReader reader(toolbar);
    if (reader.Access() != CToolbarAccess::kOpen) {
      if (!read) result.reach = ReachOf(reader.Access());
      continue;
    }
    read = true;
    result.reach = CTrayReach::kRead;
    CollectFrom(reader, toolbar, mode, &result.buttons);
  }
  return result;
}

void CTrayButtons::CollectFrom(const CTrayToolbarReader& reader, HWND toolbar, int mode,
                               std::vector<CTrayButton>* buttons) {
  const int count = reader.ButtonCount();
  for (int index = 0; index < count; ++index) {
    CTrayButtonRecord record;
    // Without its record the button cannot even be named: leave it be.
    if (!reader.ReadButton(index, &record)) continue;
    CTrayButton button;
    button.toolbar = toolbar;
    button.commandId = record.commandId;
    if (!record.hasOwnerInfo) {
      if (mode == TRAYBTN_HIDE_OTHERS) {
        // Hidden, but no desktop can claim it: remember it for the exit.
        if (!record.IsHidden() && !IsHiddenUnowned(button)) m_hiddenUnowned.push_back(button);
        SetButtonHidden(button, true);
        buttons->push_back(button);
      } else if (IsHiddenUnowned(button)) {
        SetButtonHidden(button, false);
      }
      continue;
    }
    const DWORD owner = reader.ReadIconOwner(record);
    const bool isOwn = owner == EntryOf(m_hOwnWindow);
    if (mode == TRAYBTN_HIDE_OTHERS) {
      if (!isOwn) SetButtonHidden(button, true);
    } else {
      SetButtonHidden(button, false);
    }
    button.owner = isOwn ? 0 : owner;
    buttons->push_back(button);
  }
}

bool CTrayButtons::IsHiddenUnowned(const CTrayButton& button) const {
  for (const CTrayButton& hidden : m_hiddenUnowned) {
    if (hidden.toolbar == button.toolbar && hidden.commandId == button.commandId) return true;
  }
  return false;
}

void CTrayButtons::RememberHiddenUnowned(const CTrayButton& button) {
  if (!IsHiddenUnowned(button)) m_hiddenUnowned.push_back(button);
}

void CTrayButtons::SwitchTrayIcons(int from, int to) {
  const CTrayCollection collected = CollectTrayButtons(TRAYBTN_HIDE_OTHERS);
  CDWordArrayEx& entering = OwnersOf(to);
  CDWordArrayEx& leaving = OwnersOf(from);
  for (const CTrayButton& button : collected.buttons) {
    if (button.owner == 0) continue;
    if (entering.Find(button.owner) >= 0) {
      SetButtonHidden(button, false);
    } else if (leaving.Find(button.owner) < 0) {
      leaving.Add(button.owner);
    }
  }
  RefreshTrayArea();
}

void CTrayButtons::ShowAllTrayButtons() {
  CollectTrayButtons(TRAYBTN_SHOW_ALL);
  RefreshTrayArea();
}

void CTrayButtons::RefreshTrayArea() {
  // Adding and deleting an icon of our own makes the taskbar lay out its
  // buttons again. Identifier 0 is not the program's own icon's, and the
  // shared system icon needs no destroying.
  NOTIFYICONDATAW data = NotifyIconRecord(m_hOwnWindow, kRefreshIconId, NIF_ICON);
  data.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  Shell_NotifyIconW(NIM_ADD, &data);
  Shell_NotifyIconW(NIM_DELETE, &data);
}
