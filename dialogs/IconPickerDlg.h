// The icon chooser: every icon of a file in a multi-column list, another file
// through the open-file dialog, and back to the caller only the file's path
// and the chosen icon's index.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/ListBox.h"
#include "framework/String.h"
#include "framework/WideString.h"

class CIconPickerDlg : public CDialog {
 public:
  // Starts on the system's SHELL32.dll, icon 0.
  explicit CIconPickerDlg(CWnd* parent = nullptr);

  // Takes file and index when index is below the file's icon count (a file
  // that does not exist has none); otherwise keeps the current source and
  // returns FALSE. A negative index is taken: it opens with no selection.
  BOOL SetIconSource(const CStringW& file, int index);
  void GetIconSource(CStringW& file, int& index) const;

 protected:
  void DoDataExchange(CDataExchange* dataExchange) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnHelp(HELPINFO* helpInfo) override;
  void OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) override;
  void OnMeasureItem(int controlId, MEASUREITEMSTRUCT* measureItem) override;
  void OnDestroy() override;

 private:
  // Refills the list with the icons of m_strSourceFile and selects the first.
  void FillIconList();
  void ClearIconList();
  void OnButtonBrowse();
  void ShowMessage(const CStringW& text);

  CListBox m_listIcons;
  CStringW m_strSourceFile;
  int m_nSourceIndex = 0;
  // The icons the list shows; each item's data is the handle held here.
  std::vector<CIconHandle> m_icons;
};
