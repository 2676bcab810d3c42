// A popup menu described by a list of strings (see TextMenuGrammar.h). The
// caller gets back the index of the chosen string, never a menu handle or a
// command id.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Dialog.h"
#include "framework/Menu.h"
#include "switcher/DWordArrayEx.h"
#include "ui/StringArrayEx.h"

// Pops the menu up at the cursor and returns once it has closed: the list
// index of the chosen string, or -1. The flag arrays may be null.
int ShowTextMenu(const CStringArrayEx* items, const CDWordArrayEx* checked = nullptr,
                 const CDWordArrayEx* grayed = nullptr);

// Appends count entries of one menu level, starting at list index index, to
// menu, and recurses for submenus. *counter is the next command id and moves
// on by one per string used, so that the string at index k gets
// IDM_TEXTMENU_FIRST + k. Each submenu gets a CMenu of its own, which from
// then on is owned through its parent: DestroyTextMenu frees it. Returns 0.
int BuildTextMenu(CMenu* menu, const CStringArrayEx* items, int count, UINT* counter, int index,
                  const CDWordArrayEx* checked, const CDWordArrayEx* grayed);

// Destroys menu with every submenu that has a CMenu of its own, depth first,
// and frees those objects.
void DestroyTextMenu(std::unique_ptr<CMenu> menu);

// A dialog template written in memory, in a buffer of 16-bit words.
class CDlgTemplateBuffer {
 public:
  static constexpr int kWords = 1024;
  CDlgTemplateBuffer();
  CDlgTemplateBuffer(const CDlgTemplateBuffer&) = delete;
  CDlgTemplateBuffer& operator=(const CDlgTemplateBuffer&) = delete;

  // Writes a header for an invisible popup of 2 x 2 dialog units with no
  // controls, menu, class, title or font, and moves past it.
  void WriteHeader();
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_pStart); }

 private:
  void WriteWord(WORD word);
  void WriteDWord(DWORD value);

  std::unique_ptr<WORD[]> m_storage;
  WORD* m_pStart;
  WORD* m_pWrite;
  WORD* m_pEnd;
};

// The hidden owner window of a text menu: a zero-size modal dialog that
// tracks the menu while it initialises and then closes itself.
class CTextMenu : public CDialog {
 public:
  CTextMenu(const CStringArrayEx* items, const CDWordArrayEx* checked, const CDWordArrayEx* grayed);

  void InitTemplate();
  int GetChoice() const { return m_nChoice; }

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void DoDataExchange(CDataExchange* dataExchange) override;

 private:
  int m_nChoice = -1;
  const CStringArrayEx* m_pItems;
  const CDWordArrayEx* m_pChecked;
  const CDWordArrayEx* m_pGrayed;
  CDlgTemplateBuffer m_template;
};
