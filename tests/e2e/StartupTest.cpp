// Start-up as a user meets it: the agreement on the first run, the main
// dialog with its defaults, the single-instance rule and the refused
// command-line switch. Each test runs its own copy of the program in a
// fresh folder.
#include <gtest/gtest.h>

#include <string>

#include "res/AgreementDlgIds.h"
#include "res/SwitcherDlgIds.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

// The agreement box of a started program.
HWND WaitForAgreement(Process& process) { return WaitForTopLevel(process.Id(), "#32770", kAgreementTitle); }

TEST(FirstStartTest, CreatesTheSettingsFileWithAllowNAndShowsTheAgreement) {
  PanorelInstance panorel;
  Process& process = panorel.Start();
  HWND agreement = WaitForAgreement(process);
  ASSERT_NE(agreement, nullptr);

  EXPECT_EQ(panorel.ReadIni(AgreementSection().c_str(), "Allow"), "N");
  EXPECT_EQ(ItemText(agreement, IDOK), "Yes");
  EXPECT_EQ(ItemText(agreement, IDCANCEL), "No");
  const std::string text = ItemText(agreement, IDC_EDIT_AGREEMENT);
  EXPECT_GT(text.size(), 1000u) << "the agreement text fills the edit";
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  // In the middle of the screen the user works on, to be read and copied
  // but not edited.
  EXPECT_LE(DistanceFromWorkAreaCentre(agreement), kCentredWithinPixels);
  HWND textBox = GetDlgItem(agreement, IDC_EDIT_AGREEMENT);
  EXPECT_TRUE(IsWindowEnabled(textBox));
  EXPECT_FALSE(TakesTyping(textBox));
  EXPECT_EQ(ItemText(agreement, IDC_EDIT_AGREEMENT), text);
  EXPECT_EQ(FindTopLevel(process.Id(), "#32770", kMainTitle), nullptr);
}

TEST(FirstStartTest, RefusingTheAgreementEndsWithCodeZeroAndNoMainDialog) {
  PanorelInstance panorel;
  Process& process = panorel.Start();
  HWND agreement = WaitForAgreement(process);
  ASSERT_NE(agreement, nullptr);

  Click(agreement, IDCANCEL);
  ASSERT_TRUE(process.WaitForExit());
  EXPECT_EQ(process.ExitCode(), 0u);
  EXPECT_EQ(panorel.ReadIni(AgreementSection().c_str(), "Allow"), "N");
  EXPECT_EQ(panorel.ReadIni("Setup", "UseHotKey"), "<missing>") << "the main dialog never ran";
}

TEST(FirstStartTest, AcceptingWritesYAndTheMainDialogShowsTheDefaults) {
  PanorelInstance panorel;
  Process& process = panorel.Start();
  HWND agreement = WaitForAgreement(process);
  ASSERT_NE(agreement, nullptr);
  Click(agreement, IDOK);

  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(panorel.ReadIni(AgreementSection().c_str(), "Allow"), "Y");

  EXPECT_FALSE(IsChecked(dialog, IDC_CHECK_ALT));
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_CTRL));
  EXPECT_FALSE(IsChecked(dialog, IDC_CHECK_SHIFT));
  EXPECT_FALSE(IsChecked(dialog, IDC_CHECK_WIN));
  EXPECT_EQ(ComboSelectionText(dialog, IDC_COMBO_KEY), "F1");
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_COMBO_KEY, CB_GETCOUNT, 0, 0), 12);
  EXPECT_EQ(ItemText(dialog, IDC_EDIT_TIP), kMainTitle);
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_HOTKEY));
  EXPECT_TRUE(IsChecked(dialog, IDC_CHECK_TRAY));
  EXPECT_FALSE(IsChecked(dialog, IDC_CHECK_OTHER_ICONS));

  // The seven keys hold their defaults, in the order the dialog read them.
  const std::string ini = panorel.IniText();
  const std::string keys[] = {"Icon=" + panorel.ExePath() + ",0", "HotKeyFlags=2", "HotKey=112", "UseHotKey=Y",
                              "UseIcon=Y", std::string("IconTitle=") + kMainTitle, "HideElseIcon=N"};
  size_t previous = ini.find("[Setup]");
  ASSERT_NE(previous, std::string::npos);
  for (const std::string& key : keys) {
    const size_t at = ini.find(key + "\r\n");
    EXPECT_NE(at, std::string::npos) << key;
    EXPECT_GT(at, previous) << key << " comes after the key read before it";
    previous = at;
  }
  EXPECT_TRUE(panorel.Exit());
}

TEST(FirstStartTest, AcceptedAgreementIsNotShownAgainButALowerCaseYIsNoAnswer) {
  PanorelInstance accepted;
  accepted.AcceptAgreement();
  accepted.Start();
  ASSERT_NE(accepted.WaitForMainDialog(), nullptr);
  EXPECT_EQ(FindTopLevel(accepted.process().Id(), "#32770", kAgreementTitle), nullptr);
  EXPECT_TRUE(accepted.Exit());

  PanorelInstance lowerCase;
  lowerCase.WriteIni(AgreementSection().c_str(), "Allow", "y");
  Process& process = lowerCase.Start();
  HWND agreement = WaitForAgreement(process);
  ASSERT_NE(agreement, nullptr);
  Click(agreement, IDCANCEL);
  EXPECT_TRUE(process.WaitForExit());
  EXPECT_EQ(lowerCase.ReadIni(AgreementSection().c_str(), "Allow"), "y");
}

TEST(FirstStartTest, AnotherUsersAcceptanceDoesNotCount) {
  PanorelInstance panorel;
  panorel.WriteIni("someone.ELSEWHERE", "Allow", "Y");
  Process& process = panorel.Start();
  HWND agreement = WaitForAgreement(process);
  ASSERT_NE(agreement, nullptr);
  Click(agreement, IDCANCEL);
  EXPECT_TRUE(process.WaitForExit());
}

TEST(LanguageTest, AChineseSystemAskedForEnglishGetsTheAgreementTheMessagesAndTheFormInEnglish) {
  // The default hotkey held elsewhere: the start says so in a message box.
  HeldHotKey held(MOD_CONTROL, VK_F1);
  ASSERT_TRUE(held.IsHeld());
  PanorelInstance panorel;
  ASSERT_TRUE(panorel.SetIniText("[Extras]\r\nLanguage=en\r\n"));
  Process& process = panorel.Start();
  HWND agreement = WaitForTopLevel(process.Id(), "#32770", "Panorel Usage Agreement");
  ASSERT_NE(agreement, nullptr);
  EXPECT_EQ(ItemText(agreement, IDOK), "Yes");
  Click(agreement, IDOK);

  HWND box = WaitForMessageBox(process.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Panorel cannot register the hotkey you chose. Please choose another one.");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, IDC_BUTTON_EXIT), "Exit");
  EXPECT_EQ(ItemText(dialog, IDC_CHECK_TRAY), "Tray icon:");
  EXPECT_EQ(panorel.ReadIni(AgreementSection().c_str(), "Allow"), "Y");
  EXPECT_TRUE(panorel.Exit());
}

TEST(MainDialogTest, ShowsAtStartThenHidesItselfAboutHalfASecondLater) {
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  // It appears, then goes without anyone touching it.
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  PumpFor(700);
  EXPECT_FALSE(IsWindowVisible(dialog)) << "it stays hidden";
  EXPECT_TRUE(panorel.process().IsRunning());
  EXPECT_TRUE(panorel.Exit());
}

TEST(MainDialogTest, TheCaptionIsTheMainTitleAndTheDialogHasATaskbarButton) {
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), kMainTitle);
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  const LONG style = GetWindowLongA(dialog, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_POPUP), WS_CAPTION | WS_SYSMENU | WS_POPUP);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0) << "a fixed-size form";
  // Wine 8 answers WM_GETICON from another process with 0, so the icons are
  // not checked from here.
  EXPECT_TRUE(panorel.Exit());
}

TEST(MainDialogTest, EnterDoesNothingWhileEscapeCloseAndCancelHideAndExitEnds) {
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));

  ASSERT_TRUE(ShowBySecondStart(panorel, dialog));
  PressKey(VK_RETURN);
  PumpFor(800);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter neither closes nor hides";

  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000)) << "Esc hides";

  ASSERT_TRUE(ShowBySecondStart(panorel, dialog));
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000)) << "the close box hides";

  ASSERT_TRUE(ShowBySecondStart(panorel, dialog));
  Click(dialog, IDC_BUTTON_CANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 3000)) << "cancel hides";
  EXPECT_TRUE(panorel.process().IsRunning()) << "none of them ends the program";

  EXPECT_TRUE(panorel.Exit());
  EXPECT_EQ(panorel.process().ExitCode(), 0u);
}

TEST(SingleInstanceTest, ASecondStartShowsAndRaisesTheFirstAndEnds) {
  PanorelInstance first;
  first.AcceptAgreement();
  first.Start();
  HWND dialog = first.WaitForMainDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));

  Process second(std::string("\"") + first.ExePath() + "\"", first.Folder().Path());
  ASSERT_TRUE(second.IsStarted());
  ASSERT_TRUE(second.WaitForExit());
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000));
  EXPECT_TRUE(first.process().IsRunning());
  EXPECT_TRUE(first.Exit());
}

TEST(SingleInstanceTest, AnotherProgramsWindowOfTheSameTitleIsIgnoredAndAHeldNameIsReported) {
  // Another program's hidden dialog that bears the main title.
  HWND foreign = CreateWindowExA(0, "#32770", kMainTitle, WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(foreign, nullptr);
  {
    PanorelInstance panorel;
    panorel.AcceptAgreement();
    panorel.Start();
    EXPECT_NE(panorel.WaitForMainDialog(), nullptr) << "Panorel starts all the same";
    EXPECT_FALSE(IsWindowVisible(foreign)) << "and leaves the other window alone";
    EXPECT_TRUE(panorel.Exit());
  }
  DestroyWindow(foreign);

  // A program that holds the single-instance name but shows no Panorel.
  HANDLE held = CreateMutexA(nullptr, FALSE, (std::string("Local\\") + kMainTitle).c_str());
  ASSERT_NE(held, nullptr);
  PanorelInstance second;
  second.AcceptAgreement();
  Process& process = second.Start();
  HWND box = WaitForMessageBox(process.Id(), 30000);
  ASSERT_NE(box, nullptr) << "it does not end without a word";
  EXPECT_TRUE(WaitUntil([&] { return !MessageBoxText(box).empty(); }, 5000));
  EXPECT_EQ(MessageBoxText(box), "Panorel 已在运行,但没有响应") << "caption: " << TextOf(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(process.WaitForExit());
  EXPECT_EQ(FindTopLevel(process.Id(), "#32770", kMainTitle), nullptr);
  CloseHandle(held);
}

TEST(SingleInstanceTest, AnInstanceStillShowingTheAgreementIsNotFound) {
  PanorelInstance first;
  Process& firstProcess = first.Start();
  HWND firstAgreement = WaitForAgreement(firstProcess);
  ASSERT_NE(firstAgreement, nullptr);

  Process second(std::string("\"") + first.ExePath() + "\"", first.Folder().Path());
  HWND secondAgreement = WaitForAgreement(second);
  ASSERT_NE(secondAgreement, nullptr) << "the second start asks on its own";
  Click(secondAgreement, IDCANCEL);
  Click(firstAgreement, IDCANCEL);
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(firstProcess.WaitForExit());
}

// "Error Parm" in a box with an empty caption, then the end, with no window
// and no settings file of the program's own.
void ExpectErrorParm(PanorelInstance& panorel, Process& process) {
  HWND box = WaitForMessageBox(process.Id());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "Error Parm");
  EXPECT_EQ(TextOf(box), "");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(process.WaitForExit());
  EXPECT_EQ(FindTopLevel(process.Id(), "#32770", kMainTitle), nullptr);
  EXPECT_EQ(GetFileAttributesA(panorel.IniPath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(CommandLineTest, ASwitchAfterTheProgramShowsErrorParm) {
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  DeleteFileA(panorel.IniPath().c_str());
  Process& process = panorel.Start("/x");
  ExpectErrorParm(panorel, process);
}

TEST(CommandLineTest, ASlashAtTheVeryEndShowsErrorParm) {
  PanorelInstance panorel;
  Process& process = panorel.Start("/");
  ExpectErrorParm(panorel, process);
}

TEST(CommandLineTest, ForwardSlashesInTheProgramsOwnPathShowErrorParm) {
  PanorelInstance panorel;
  std::string forward = panorel.ExePath();
  for (char& ch : forward) {
    if (ch == '\\') ch = '/';
  }
  Process process("\"" + forward + "\"", panorel.Folder().Path());
  ASSERT_TRUE(process.IsStarted());
  ExpectErrorParm(panorel, process);
}

TEST(CommandLineTest, PlainArgumentsWithoutASlashAreIgnored) {
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  panorel.Start("hello");
  ASSERT_NE(panorel.WaitForMainDialog(), nullptr);
  EXPECT_TRUE(panorel.Exit());
}

TEST(SettingsFileTest, AnUpperCaseExeNameUsesALowerCaseIniBesideIt) {
  PanorelInstance tool("TOOL.EXE");
  Process& process = tool.Start();
  HWND agreement = WaitForAgreement(process);
  ASSERT_NE(agreement, nullptr);
  Click(agreement, IDCANCEL);
  ASSERT_TRUE(process.WaitForExit());
  EXPECT_NE(GetFileAttributesA(tool.Folder().File("TOOL.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(tool.ReadIni(AgreementSection().c_str(), "Allow"), "N");
}

}  // namespace
