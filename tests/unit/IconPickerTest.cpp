// The icon chooser run in the test process and operated from a second thread:
// its list read back with the list-box messages, its message boxes found,
// read and answered, its buttons pressed.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "dialogs/IconPickerDlg.h"
#include "res/IconPickerDlgIds.h"
#include "tests/automation/Driving.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

namespace {

using automation::AnswerMessageBox;
using automation::RunWhileDriving;
using automation::WaitUntil;

constexpr char kPickerTitle[] = "更改图标";

std::string ShellLibrary() {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\SHELL32.dll";
}

CStringW Wide(const std::string& text) { return TextToWide(text.c_str()); }

int IconCount(const std::string& file) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), ~0u)));
}

bool IsLiveIcon(HICON icon) {
  ICONINFO info = {};
  if (!GetIconInfo(icon, &info)) return false;
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return true;
}

int ListCount(HWND dialog) { return static_cast<int>(SendDlgItemMessageA(dialog, IDC_LIST_ICONS, LB_GETCOUNT, 0, 0)); }
int ListSelection(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_LIST_ICONS, LB_GETCURSEL, 0, 0));
}

std::vector<HICON> ListIcons(HWND dialog) {
  std::vector<HICON> icons;
  for (int i = 0; i < ListCount(dialog); ++i) {
    icons.push_back(reinterpret_cast<HICON>(SendDlgItemMessageA(dialog, IDC_LIST_ICONS, LB_GETITEMDATA, i, 0)));
  }
  return icons;
}

int LiveIcons(const std::vector<HICON>& icons) {
  int live = 0;
  for (HICON icon : icons) live += IsLiveIcon(icon) ? 1 : 0;
  return live;
}

// Presses a button of the dialog and, for OK and Cancel, waits for it to end.
void Press(HWND dialog, int id) {
  automation::Click(dialog, id);
  if (id == IDOK || id == IDCANCEL) WaitUntil([&] { return !IsWindow(dialog); }, 3000);
}

HWND WaitForPicker() { return automation::WaitForOwnDialog(kPickerTitle); }

INT_PTR RunPicker(CIconPickerDlg& picker, const std::function<void()>& drive) {
  return RunWhileDriving<INT_PTR>([&] { return picker.DoModal(); }, drive);
}

// A folder path longer than 128 characters under scratch, with a copy of
// this test program in it; the program carries one icon of its own.
std::string CopyOfSelfInDeepFolder(const automation::ScratchFolder& scratch) {
  std::string folder = scratch.Path();
  while (folder.size() < 150) {
    folder += "\\a-folder-name-of-some-length-for-the-icon-chooser";
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, sizeof self);
  const std::string copy = folder + "\\icons.exe";
  CopyFileA(self, copy.c_str(), FALSE);
  return copy;
}

TEST(IconPickerTest, OpensOnTheShellLibraryWithTheFirstIconAndCancelKeepsEverything) {
  const int count = IconCount(ShellLibrary());
  ASSERT_GT(count, 8);
  CIconPickerDlg picker;
  ASSERT_TRUE(picker.SetIconSource(Wide(ShellLibrary()), 5));
  picker.SetIconSource(Wide(ShellLibrary()), 0);

  int listed = -1, selected = -2, itemHeight = 0, cellWidth = 0, liveWhileShown = 0;
  std::string fileShown;
  std::vector<HICON> icons;
  const INT_PTR result = RunPicker(picker, [&] {
    HWND dialog = WaitForPicker();
    listed = ListCount(dialog);
    selected = ListSelection(dialog);
    itemHeight = static_cast<int>(SendDlgItemMessageA(dialog, IDC_LIST_ICONS, LB_GETITEMHEIGHT, 0, 0));
    RECT cell = {};
    SendDlgItemMessageA(dialog, IDC_LIST_ICONS, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    cellWidth = cell.right - cell.left;
    fileShown = automation::ItemText(dialog, IDC_EDIT_ICON_FILE);
    icons = ListIcons(dialog);
    liveWhileShown = LiveIcons(icons);
    SendDlgItemMessageA(dialog, IDC_LIST_ICONS, LB_SETCURSEL, 7, 0);
    Press(dialog, IDCANCEL);
  });

  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(listed, count);
  EXPECT_EQ(selected, 0);
  EXPECT_EQ(itemHeight, GetSystemMetrics(SM_CYICON) + 12) << "answered WM_MEASUREITEM before WM_INITDIALOG";
  EXPECT_EQ(cellWidth, GetSystemMetrics(SM_CXICON) + 6);
  EXPECT_EQ(fileShown, ShellLibrary());
  EXPECT_EQ(liveWhileShown, count) << "while the list shows them";
  EXPECT_EQ(LiveIcons(icons), 0) << "every icon destroyed with the dialog";
  CStringW file;
  int index = -1;
  picker.GetIconSource(file, index);
  EXPECT_EQ(WideToText(file), ShellLibrary().c_str());
  EXPECT_EQ(index, 0) << "Cancel keeps the source it started with";
}

TEST(IconPickerTest, APresetIndexMustLieBelowTheFilesIconCount) {
  const int count = IconCount(ShellLibrary());
  CIconPickerDlg picker;
  EXPECT_FALSE(picker.SetIconSource(Wide(ShellLibrary()), count));
  EXPECT_FALSE(picker.SetIconSource(L"C:\\no\\such\\file.ico", 0)) << "a missing file has no icons";
  EXPECT_TRUE(picker.SetIconSource(Wide(ShellLibrary()), count - 1));

  int selected = -2;
  const INT_PTR result = RunPicker(picker, [&] {
    HWND dialog = WaitForPicker();
    selected = ListSelection(dialog);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(selected, count - 1);
  CStringW file;
  int index = -1;
  picker.GetIconSource(file, index);
  EXPECT_EQ(index, count - 1);
}

TEST(IconPickerTest, WithNothingSelectedOkAsksForAnIconAndKeepsTheDialogOpen) {
  CIconPickerDlg picker;
  ASSERT_TRUE(picker.SetIconSource(Wide(ShellLibrary()), -1));
  int selected = -2;
  std::string message;
  bool stayedOpen = false, focusOnList = false;
  const INT_PTR result = RunPicker(picker, [&] {
    HWND dialog = WaitForPicker();
    selected = ListSelection(dialog);
    automation::Click(dialog, IDOK);
    message = AnswerMessageBox();
    stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
    // The focus moves once the box has returned to the dialog's code.
    focusOnList = automation::WaitUntil(
        [&] {
          GUITHREADINFO thread = {};
          thread.cbSize = sizeof thread;
          GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
          return thread.hwndFocus == GetDlgItem(dialog, IDC_LIST_ICONS);
        },
        3000);
    SendDlgItemMessageA(dialog, IDC_LIST_ICONS, LB_SETCURSEL, 2, 0);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(selected, -1);
  EXPECT_EQ(message, "Please select an icon");
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(focusOnList);
  EXPECT_EQ(result, IDOK);
  CStringW file;
  int index = -1;
  picker.GetIconSource(file, index);
  EXPECT_EQ(index, 2);
}

TEST(IconPickerTest, AMissingFileAndAFileWithoutIconsAreReportedWithTheirPath) {
  automation::ScratchFolder scratch;
  const std::string missing = scratch.File("gone.ico");
  const std::string text = scratch.File("plain.txt");
  HANDLE file = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "no icons here", 13, &written, nullptr);
  CloseHandle(file);

  struct Case {
    std::string path;
    std::string expected;
  };
  for (const Case& c : {Case{missing, "Cannot find the file '" + missing + "', Please select another file"},
                        Case{text, "The file '" + text + "' contains no icons"}}) {
    CIconPickerDlg picker;
    ASSERT_TRUE(picker.SetIconSource(Wide(c.path), -1));
    std::string message, okMessage;
    int listed = -1;
    const INT_PTR result = RunPicker(picker, [&] {
      message = AnswerMessageBox();
      HWND dialog = WaitForPicker();
      listed = ListCount(dialog);
      automation::Click(dialog, IDOK);
      okMessage = AnswerMessageBox();
      Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(message, c.expected);
    EXPECT_EQ(listed, 0) << c.path;
    EXPECT_EQ(okMessage, "Please select an icon") << c.path;
    EXPECT_EQ(result, IDCANCEL);
  }
}

TEST(IconPickerTest, AnIconFileInAFolderDeeperThan128CharactersIsFound) {
  automation::ScratchFolder scratch;
  const std::string deep = CopyOfSelfInDeepFolder(scratch);
  ASSERT_GT(deep.size(), 128u);
  ASSERT_EQ(IconCount(deep), 1);
  CIconPickerDlg picker;
  ASSERT_TRUE(picker.SetIconSource(Wide(deep), 0));

  std::string message = "(not looked)";
  int listed = -1;
  const INT_PTR result = RunPicker(picker, [&] {
    // A message would come before the dialog shows.
    WaitUntil([] {
      return automation::FindMessageBox(GetCurrentProcessId()) || automation::WaitForOwnDialog(kPickerTitle, 0);
    });
    message = AnswerMessageBox(0);
    HWND dialog = WaitForPicker();
    listed = ListCount(dialog);
    Press(dialog, IDOK);
  });
  EXPECT_EQ(message, "") << "no message for a file that exists";
  EXPECT_EQ(listed, 1);
  EXPECT_EQ(result, IDOK);
  CStringW file;
  int index = -1;
  picker.GetIconSource(file, index);
  EXPECT_EQ(WideToText(file), deep.c_str());
  EXPECT_EQ(index, 0);
}

TEST(IconPickerTest, ADoubleClickOnACellClosesTheDialogAsOk) {
  CIconPickerDlg picker;
  const INT_PTR result = RunPicker(picker, [&] {
    HWND dialog = WaitForPicker();
    HWND list = GetDlgItem(dialog, IDC_LIST_ICONS);
    RECT cell = {};
    SendMessageA(list, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&cell));
    const LPARAM point = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
      PostMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, point);
    }
    WaitUntil([&] { return !IsWindow(dialog); }, 3000);
  });
  EXPECT_EQ(result, IDOK);
  CStringW file;
  int index = -1;
  picker.GetIconSource(file, index);
  EXPECT_EQ(index, 3);
}

// The open-file dialog the chooser opens from Browse.
HWND WaitForFileDialog() { return automation::WaitForOwnDialog("Choose Icon"); }

std::vector<std::string> FilterChoices(HWND fileDialog) {
  std::vector<std::string> choices;
  HWND combo = GetDlgItem(fileDialog, cmb1);
  for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
    char text[128] = "";
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    choices.push_back(text);
  }
  return choices;
}

// Types path as the file name and presses the dialog's Open button.
void ChooseFile(HWND fileDialog, const std::string& path) {
  HWND name = GetDlgItem(fileDialog, cmb13);
  if (!name) name = GetDlgItem(fileDialog, edt1);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(fileDialog, WM_COMMAND, IDOK, 0);
  WaitUntil([&] { return !IsWindow(fileDialog); });
}

TEST(IconPickerTest, BrowseOffersTheFiltersAndRefillsTheListFromTheChosenFile) {
  automation::ScratchFolder scratch;
  const std::string deep = CopyOfSelfInDeepFolder(scratch);
  const std::string missing = scratch.File("nothing-here.dll");
  CIconPickerDlg picker;

  std::vector<std::string> filters;
  std::vector<HICON> firstIcons;
  int liveAfterRefill = -1, listedAfterRefill = -1, selectedAfterRefill = -2;
  std::string fileShown, missingMessage, okMessage;
  int listedAfterMissing = -1;
  const INT_PTR result = RunPicker(picker, [&] {
    HWND dialog = WaitForPicker();
    firstIcons = ListIcons(dialog);
    SendDlgItemMessageA(dialog, IDC_LIST_ICONS, LB_SETCURSEL, 4, 0);

    automation::Click(dialog, IDC_BUTTON_BROWSE);
    HWND fileDialog = WaitForFileDialog();
    filters = FilterChoices(fileDialog);
    ChooseFile(fileDialog, deep);
    WaitUntil([&] { return ListCount(dialog) == 1; });
    liveAfterRefill = LiveIcons(firstIcons);
    listedAfterRefill = ListCount(dialog);
    selectedAfterRefill = ListSelection(dialog);
    fileShown = automation::ItemText(dialog, IDC_EDIT_ICON_FILE);

    automation::Click(dialog, IDC_BUTTON_BROWSE);
    ChooseFile(WaitForFileDialog(), missing);
    missingMessage = AnswerMessageBox();
    listedAfterMissing = ListCount(dialog);
    automation::Click(dialog, IDOK);
    okMessage = AnswerMessageBox();
    Press(dialog, IDCANCEL);
  });

  EXPECT_EQ(filters, (std::vector<std::string>{"Icon FiIes ", "Programs ", "Libraries ", "Icons", "All Files"}));
  EXPECT_EQ(liveAfterRefill, 0) << "the first file's icons are destroyed on refill";
  EXPECT_EQ(listedAfterRefill, 1);
  EXPECT_EQ(selectedAfterRefill, 0);
  EXPECT_EQ(fileShown, deep);
  EXPECT_EQ(missingMessage, "Cannot find the file '" + missing + "', Please select another file");
  EXPECT_EQ(listedAfterMissing, 0);
  EXPECT_EQ(okMessage, "Please select an icon");
  EXPECT_EQ(result, IDCANCEL);
}

// A cell drawn by the dialog into a bitmap of our own that starts out in an
// odd colour, so that what the dialog paints and what it leaves show apart.
class CellCanvas {
 public:
  static constexpr COLORREF kBackground = RGB(1, 2, 3);
  CellCanvas() : m_dc(CreateCompatibleDC(nullptr)) {
    HDC screen = GetDC(nullptr);
    m_bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    m_old = SelectObject(m_dc, m_bitmap);
    const RECT all = {0, 0, kWidth, kHeight};
    HBRUSH brush = CreateSolidBrush(kBackground);
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
  }
  ~CellCanvas() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  void Draw(HWND dialog, UINT action, UINT state, HICON icon) {
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_LISTBOX;
    draw.CtlID = IDC_LIST_ICONS;
    draw.itemAction = action;
    draw.itemState = state;
    draw.hwndItem = GetDlgItem(dialog, IDC_LIST_ICONS);
    draw.hDC = m_dc;
    draw.rcItem = {0, 0, kWidth, kHeight};
    draw.itemData = reinterpret_cast<ULONG_PTR>(icon);
    SendMessageA(dialog, WM_DRAWITEM, IDC_LIST_ICONS, reinterpret_cast<LPARAM>(&draw));
  }
  COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
  // The corner and the edges lie outside the icon drawn at (2, 4).
  COLORREF Corner() const { return At(0, 0); }
  COLORREF Bottom() const { return At(kWidth / 2, kHeight - 1); }
  HDC Dc() const { return m_dc; }
  static constexpr int kWidth = 38;
  static constexpr int kHeight = 44;

 private:
  HDC m_dc;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_old = nullptr;
};

TEST(IconPickerTest, CellsAreFilledByTheirSelectionAndShowTheIconWithoutAFocusFrame) {
  CIconPickerDlg picker;
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT) & 0xFFFFFF;
  COLORREF selectedWhole = 0, deselected = 0, unselectedWhole = 0, focusCorner = 0, focusBottom = 0;
  int differingPixels = -1, iconPixels = 0;
  RunPicker(picker, [&] {
    HWND dialog = WaitForPicker();
    {
      CellCanvas canvas;
      canvas.Draw(dialog, ODA_DRAWENTIRE, ODS_SELECTED, nullptr);
      selectedWhole = canvas.Corner();
    }
    {
      CellCanvas canvas;
      canvas.Draw(dialog, ODA_SELECT, 0, nullptr);
      deselected = canvas.Corner();
    }
    {
      CellCanvas canvas;
      canvas.Draw(dialog, ODA_DRAWENTIRE, 0, nullptr);
      unselectedWhole = canvas.Corner();
    }
    {
      CellCanvas canvas;
      canvas.Draw(dialog, ODA_FOCUS, ODS_SELECTED | ODS_FOCUS, nullptr);
      focusCorner = canvas.Corner();
      focusBottom = canvas.Bottom();
    }
    // The icon goes 2 pixels in and 4 down: compare with the platform's
    // own drawing of the same icon there.
    HICON icon = ListIcons(dialog).at(0);
    CellCanvas drawn, expected;
    drawn.Draw(dialog, ODA_DRAWENTIRE, 0, icon);
    DrawIcon(expected.Dc(), 2, 4, icon);
    differingPixels = 0;
    for (int y = 0; y < CellCanvas::kHeight; ++y) {
      for (int x = 0; x < CellCanvas::kWidth; ++x) {
        differingPixels += drawn.At(x, y) != expected.At(x, y);
        iconPixels += drawn.At(x, y) != CellCanvas::kBackground;
      }
    }
    Press(dialog, IDCANCEL);
  });
  EXPECT_EQ(selectedWhole, highlight);
  EXPECT_EQ(deselected, RGB(255, 255, 255)) << "white, not the window colour";
  EXPECT_EQ(unselectedWhole, CellCanvas::kBackground) << "left on the list's own background";
  EXPECT_EQ(focusCorner, CellCanvas::kBackground) << "no focus rectangle";
  EXPECT_EQ(focusBottom, CellCanvas::kBackground);
  EXPECT_GT(iconPixels, 0) << "the icon was drawn";
  EXPECT_EQ(differingPixels, 0) << "at (2, 4) of the cell";
}

}  // namespace
