#include "ui/TextMenu.h"

#include "framework/Strings.h"
#include "res/StringIds.h"
#include "ui/TextMenuGrammar.h"

namespace {

// Every entry goes at the end of its menu, so each level shows its entries
// in list order.
void AppendEntry(CMenu* menu, UINT flags, UINT_PTR idOrSubmenu, const char* text) {
  menu->InsertMenu(static_cast<UINT>(-1), MF_BYPOSITION | flags, idOrSubmenu, text);
}

// Builds the submenu of the header at index and appends it to menu; returns
// how many strings the submenu used.
int AppendSubmenu(CMenu* menu, const CStringArrayEx* items, const TextMenuEntry& header, UINT* counter, int index,
                  const CDWordArrayEx* checked, const CDWordArrayEx* grayed) {
  auto submenu = std::make_unique<CMenu>();
  submenu->CreatePopupMenu();
  ++*counter;  // the header's own id, never shown
  const UINT firstContentId = *counter;
  const int count = header.submenuCount > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(header.submenuCount);
  BuildTextMenu(submenu.get(), items, count, counter, index + 1, checked, grayed);
  const UINT flags = MF_POPUP | TextMenuItemFlags(index, checked, grayed);
  AppendEntry(menu, flags, reinterpret_cast<UINT_PTR>(submenu->GetSafeHmenu()), header.caption);
  // From here on the parent holds the submenu; DestroyTextMenu finds its
  // object again through the handle.
  if (::GetSubMenu(menu->GetSafeHmenu(), menu->GetMenuItemCount() - 1) == submenu->GetSafeHmenu()) submenu.release();
  return static_cast<int>(*counter - firstContentId);
}

}  // namespace

int BuildTextMenu(CMenu* menu, const CStringArrayEx* items, int count, UINT* counter, int index,
                  const CDWordArrayEx* checked, const CDWordArrayEx* grayed) {
  for (int handled = 0; handled < count && index < items->GetSize(); ++handled) {
    const CString text = items->SafeGetAt(index);
    const TextMenuEntry entry = ReadTextMenuEntry(text);
    switch (entry.kind) {
      case TextMenuEntry::kItem:
        AppendEntry(menu, TextMenuItemFlags(index, checked, grayed), (*counter)++, entry.caption);
        ++index;
        break;
      case TextMenuEntry::kSeparator:
        AppendEntry(menu, MF_SEPARATOR, (*counter)++, "-");
        ++index;
        break;
      case TextMenuEntry::kSubmenu:
        index += 1 + AppendSubmenu(menu, items, entry, counter, index, checked, grayed);
        break;
    }
  }
  // An empty level still shows that it is empty, and nothing in it can be
  // chosen.
  if (menu->GetMenuItemCount() == 0) AppendEntry(menu, MF_STRING | MF_GRAYED, 0, LoadText(IDS_TEXTMENU_EMPTY));
  return 0;
}

void DestroyTextMenu(std::unique_ptr<CMenu> menu) {
  if (!menu) return;
  const int itemCount = menu->GetMenuItemCount();
  for (int position = 0; position < itemCount; ++position) {
    CMenu* submenu = CMenu::FromHandlePermanent(menu->GetSubMenu(position));
    if (submenu) DestroyTextMenu(std::unique_ptr<CMenu>(submenu));
  }
  menu->DestroyMenu();
}

CDlgTemplateBuffer::CDlgTemplateBuffer()
    : m_storage(new WORD[kWords]()),
      m_pStart(m_storage.get()),
      m_pWrite(m_pStart),
      m_pEnd(m_pStart + kWords) {}

void CDlgTemplateBuffer::WriteWord(WORD word) {
  if (m_pWrite < m_pEnd) *m_pWrite++ = word;
}

void CDlgTemplateBuffer::WriteDWord(DWORD value) {
  WriteWord(LOWORD(value));
  WriteWord(HIWORD(value));
}

void CDlgTemplateBuffer::WriteHeader() {
  const RECT rect = {0, 0, 2, 2};
  m_pWrite = m_pStart;
  // Not WS_VISIBLE: the window only owns the menu and is never meant to be
  // seen. No DS_SETFONT, so no font block follows.
  WriteDWord(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
  WriteDWord(0);  // extended style
  WriteWord(0);   // controls
  WriteWord(0);   // x
  WriteWord(0);   // y
  WriteWord(static_cast<WORD>(rect.right - rect.left));
  WriteWord(static_cast<WORD>(rect.bottom - rect.top));
  WriteWord(0);  // no menu
  WriteWord(0);  // the standard dialog class
  WriteWord(0);  // empty title
}

CTextMenu::CTextMenu(const CStringArrayEx* items, const CDWordArrayEx* checked, const CDWordArrayEx* grayed)
    : m_pItems(items), m_pChecked(checked), m_pGrayed(grayed) {}

void CTextMenu::InitTemplate() {
  m_template.WriteHeader();
  // No parent: like any modal dialog without one, it is owned by the main
  // window, which stays disabled while the menu is up.
  InitModalIndirect(m_template.Get(), nullptr);
}

BOOL CTextMenu::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam == 0 && wParam >= IDM_TEXTMENU_FIRST && wParam <= 0x7FFFFFFF) {
    m_nChoice = static_cast<int>(wParam - IDM_TEXTMENU_FIRST);
    return TRUE;
  }
  // The close below arrives here as IDCANCEL and ends the dialog.
  return CDialog::OnCommand(wParam, lParam);
}

void CTextMenu::DoDataExchange(CDataExchange*) {
  // The initial data transfer runs once, while the window exists but before
  // the modal loop could show it: the whole menu happens here.
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  ::SetWindowPos(m_hWnd, nullptr, cursor.x, cursor.y, 0, 0, SWP_NOZORDER);

  auto popup = std::make_unique<CMenu>();
  popup->CreatePopupMenu();
  UINT counter = IDM_TEXTMENU_FIRST;
  BuildTextMenu(popup.get(), m_pItems, m_pItems->GetSize(), &counter, 0, m_pChecked, m_pGrayed);

  // Without TPM_RETURNCMD the choice is posted to this window as WM_COMMAND.
  popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
  DestroyTextMenu(std::move(popup));
  // Posted, not sent: it must arrive after the menu's command.
  PostMessage(WM_CLOSE);
}

int ShowTextMenu(const CStringArrayEx* items, const CDWordArrayEx* checked, const CDWordArrayEx* grayed) {
  CTextMenu menu(items, checked, grayed);
  menu.InitTemplate();
  menu.DoModal();
  return menu.GetChoice();
}
