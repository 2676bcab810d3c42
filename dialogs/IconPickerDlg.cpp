#include "dialogs/IconPickerDlg.h"

#include <shellapi.h>

#include "dialogs/Help.h"
#include "dialogs/IconFile.h"
#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "framework/Strings.h"
#include "framework/WinApp.h"
#include "res/IconPickerDlgIds.h"
#include "res/StringIds.h"

namespace {

CStringW SystemShellLibrary() {
  CStringW folder;
  folder.ReleaseBuffer(static_cast<int>(::GetSystemDirectoryW(folder.GetBuffer(MAX_PATH), MAX_PATH)));
  return folder + L"\\SHELL32.dll";
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  CGdiObject<HBRUSH> brush(::CreateSolidBrush(color));
  ::FillRect(dc, &rect, brush.Get());
}

}  // namespace

CIconPickerDlg::CIconPickerDlg(CWnd* parent)
    : CDialog(IDD_ICON_PICKER, parent), m_strSourceFile(SystemShellLibrary()) {}

BOOL CIconPickerDlg::SetIconSource(const CStringW& file, int index) {
  if (index >= CountIconsInFile(file)) return FALSE;
  m_nSourceIndex = index;
  m_strSourceFile = file;
  return TRUE;
}

void CIconPickerDlg::GetIconSource(CStringW& file, int& index) const {
  file = m_strSourceFile;
  index = m_nSourceIndex;
}

void CIconPickerDlg::DoDataExchange(CDataExchange* dataExchange) {
  DDX_Control(dataExchange, IDC_LIST_ICONS, m_listIcons);
  DDX_Text(dataExchange, IDC_EDIT_ICON_FILE, m_strSourceFile);
  DDX_LBIndex(dataExchange, IDC_LIST_ICONS, m_nSourceIndex);
  if (!dataExchange->m_bSaveAndValidate) return;
  dataExchange->PrepareCtrl(IDC_LIST_ICONS);
  if (m_nSourceIndex == -1) {
    ShowMessage(TextToWide(LoadText(IDS_PICKER_SELECT_ICON)));
    dataExchange->Fail();
  }
}

BOOL CIconPickerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_listIcons.SetColumnWidth(::GetSystemMetrics(SM_CXICON) + 6);
  FillIconList();
  m_listIcons.SetCurSel(m_nSourceIndex);
  return TRUE;
}

BOOL CIconPickerDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id == IDC_BUTTON_BROWSE && code == BN_CLICKED) {
    OnButtonBrowse();
    return TRUE;
  }
  if (id == IDC_LIST_ICONS && code == LBN_DBLCLK) {
    // Exactly what the OK button does, validation included.
    PostMessage(WM_COMMAND, IDOK, 0);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CIconPickerDlg::OnMeasureItem(int controlId, MEASUREITEMSTRUCT* measureItem) {
  if (controlId != IDC_LIST_ICONS) return CDialog::OnMeasureItem(controlId, measureItem);
  measureItem->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYICON) + 12);
}

void CIconPickerDlg::OnDrawItem(int controlId, DRAWITEMSTRUCT* drawItem) {
  if (controlId != IDC_LIST_ICONS) return CDialog::OnDrawItem(controlId, drawItem);
  const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
  const UINT action = drawItem->itemAction;
  if (selected && (action & (ODA_DRAWENTIRE | ODA_SELECT))) {
    FillSolid(drawItem->hDC, drawItem->rcItem, ::GetSysColor(COLOR_HIGHLIGHT));
  } else if (!selected && (action & ODA_SELECT)) {
    FillSolid(drawItem->hDC, drawItem->rcItem, RGB(255, 255, 255));
  }
  // No focus rectangle: a focus-only request just draws the icon again.
  HICON icon = reinterpret_cast<HICON>(drawItem->itemData);
  if (icon) ::DrawIcon(drawItem->hDC, drawItem->rcItem.left + 2, drawItem->rcItem.top + 4, icon);
}

void CIconPickerDlg::OnDestroy() {
  ClearIconList();
  CDialog::OnDestroy();
}

void CIconPickerDlg::ClearIconList() {
  // The list forgets the handles before they are destroyed, so it never
  // draws one that is gone.
  m_listIcons.ResetContent();
  m_icons.clear();
}

void CIconPickerDlg::FillIconList() {
  ClearIconList();
  if (!IconFileExists(m_strSourceFile)) {
    ShowMessage(FormatText(TextToWide(LoadText(IDS_PICKER_FILE_MISSING)), m_strSourceFile));
    return;
  }
  const int count = CountIconsInFile(m_strSourceFile);
  if (count == 0) ShowMessage(FormatText(TextToWide(LoadText(IDS_PICKER_NO_ICONS)), m_strSourceFile));
  for (int i = 0; i < count; ++i) {
    m_icons.emplace_back(ExtractIconFrom(m_strSourceFile, i));
    const int item = m_listIcons.InsertString(i, nullptr);
    m_listIcons.SetItemData(item, reinterpret_cast<DWORD_PTR>(m_icons.back().Get()));
  }
  m_listIcons.SetCurSel(0);
}

void CIconPickerDlg::OnButtonBrowse() {
  CFileDialog dialog(TRUE, nullptr, CStringW(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadText(IDS_PICKER_FILTER),
                     this);
  dialog.SetTitle(LoadText(IDS_PICKER_CAPTION));
  if (dialog.DoModal() != IDOK) return;
  m_strSourceFile = dialog.GetPathName();
  m_nSourceIndex = 0;
  UpdateData(FALSE);
  FillIconList();
}

void CIconPickerDlg::ShowMessage(const CStringW& text) {
  MessageBox(text, LoadText(IDS_PICKER_CAPTION), MB_ICONEXCLAMATION | MB_OK);
}

void CIconPickerDlg::OnHelp(HELPINFO*) { OpenHelp(); }
