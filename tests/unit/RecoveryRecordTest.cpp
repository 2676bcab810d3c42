// The recovery record on its own: its text read back, torn and foreign
// content refused whole, the file replaced in one step, and what giving it
// back shows.
#include <gtest/gtest.h>

#include <string>

#include "switcher/GiveBack.h"
#include "switcher/RecoveryRecord.h"
#include "switcher/TrayButtons.h"
#include "tests/automation/FakeTaskbar.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"

namespace {

CRecoveryRecord SampleRecord() {
  CRecoveryRecord record;
  record.windows.push_back({0x00010044, 32, "Notepad"});
  record.windows.push_back({0x0002A0F6, 1187, "Class with blanks  and #"});
  record.buttonsHidden = true;
  record.unownedButtons = {{0x000200A4, 107}, {0x000200A4, 4000000000u}};
  return record;
}

void ExpectSameRecord(const CRecoveryRecord& actual, const CRecoveryRecord& expected) {
  ASSERT_EQ(actual.windows.size(), expected.windows.size());
  for (size_t i = 0; i < expected.windows.size(); ++i) {
    EXPECT_EQ(actual.windows[i].window, expected.windows[i].window) << i;
    EXPECT_EQ(actual.windows[i].processId, expected.windows[i].processId) << i;
    EXPECT_EQ(actual.windows[i].className, expected.windows[i].className) << i;
  }
  EXPECT_EQ(actual.buttonsHidden, expected.buttonsHidden);
  ASSERT_EQ(actual.unownedButtons.size(), expected.unownedButtons.size());
  for (size_t i = 0; i < expected.unownedButtons.size(); ++i) {
    EXPECT_EQ(actual.unownedButtons[i].toolbar, expected.unownedButtons[i].toolbar) << i;
    EXPECT_EQ(actual.unownedButtons[i].commandId, expected.unownedButtons[i].commandId) << i;
  }
}

TEST(RecoveryRecordTest, ReadsBackWhatWasWritten) {
  CRecoveryRecord parsed;
  ASSERT_TRUE(ParseRecoveryRecord(FormatRecoveryRecord(SampleRecord()), &parsed));
  ExpectSameRecord(parsed, SampleRecord());

  CRecoveryRecord empty;
  ASSERT_TRUE(ParseRecoveryRecord(FormatRecoveryRecord(CRecoveryRecord()), &empty));
  EXPECT_TRUE(empty.windows.empty());
  EXPECT_FALSE(empty.buttonsHidden);
}

TEST(RecoveryRecordTest, ARecordCutShortAnywhereIsRefusedWhole) {
  const std::string text = FormatRecoveryRecord(SampleRecord());
  for (size_t length = 0; length < text.size(); ++length) {
    CRecoveryRecord untouched = SampleRecord();
    EXPECT_FALSE(ParseRecoveryRecord(text.substr(0, length), &untouched)) << "cut at " << length;
    ExpectSameRecord(untouched, SampleRecord());
  }
}

TEST(RecoveryRecordTest, ForeignContentIsRefused) {
  const std::string good = FormatRecoveryRecord(SampleRecord());
  const std::string foreign[] = {
      "",
      std::string("\x00\xff\xfe garbage \x01", 12),
      "Panorel recovery 2\nend 0\n",                       // another version
      "[Setup]\nUseHotKey=Y\n",                            // a settings file
      good + "window 0x1 2 Late\n",                        // something after the end
      "Panorel recovery 1\nwindow 0x1 2 A\nend 2\n",       // the count disagrees
      "Panorel recovery 1\nwindow 0x1 2\nend 1\n",         // no class
      "Panorel recovery 1\nwindow zz 2 A\nend 1\n",        // no handle
      "Panorel recovery 1\nwindow 0x1 -2 A\nend 1\n",      // no process
      "Panorel recovery 1\nshow everything\nend 1\n",      // an unknown line
      "Panorel recovery 1\r\nend 0\r\n",                   // line ends changed on the way
  };
  for (const std::string& text : foreign) {
    CRecoveryRecord untouched = SampleRecord();
    EXPECT_FALSE(ParseRecoveryRecord(text, &untouched)) << text;
    ExpectSameRecord(untouched, SampleRecord());
  }
}

TEST(RecoveryRecordTest, TheFileLivesBesideTheSettingsAndIsReplacedWhole) {
  EXPECT_STREQ(RecoveryPathFor(L"C:\\Tools\\Panorel.ini"), L"C:\\Tools\\Panorel.recovery");
  EXPECT_STREQ(RecoveryPathFor(L"C:\\a.b\\TOOL"), L"C:\\a.b\\TOOL.recovery");
  EXPECT_STREQ(RecoveryPathFor(L""), L"");

  automation::ScratchFolder folder;
  const CStringW path = RecoveryPathFor(TextToWide(folder.File("Panorel.ini").c_str()));
  CRecoveryRecord read;
  EXPECT_FALSE(ReadRecoveryFile(path, &read)) << "no file yet";

  CRecoveryRecord first;
  first.windows.push_back({0x10, 1, "First"});
  ASSERT_TRUE(WriteRecoveryFile(path, first));
  ASSERT_TRUE(WriteRecoveryFile(path, SampleRecord()));
  ASSERT_TRUE(ReadRecoveryFile(path, &read));
  ExpectSameRecord(read, SampleRecord());
  EXPECT_EQ(GetFileAttributesW(path + L".new"), INVALID_FILE_ATTRIBUTES) << "nothing left beside it";

  ASSERT_TRUE(SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY));
  RemoveRecoveryFile(path);
  EXPECT_EQ(GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES) << "read-only or not";
}

TEST(GiveBackTest, OnlyAWindowASwitchCouldHaveHiddenComesBack) {
  automation::WindowFarm farm;
  automation::FakeTaskbar taskbar;
  ASSERT_TRUE(farm.IsReady() && taskbar.IsReady());
  HWND other = farm.Open();
  ASSERT_TRUE(farm.Show(other, SW_HIDE));
  ShowWindow(taskbar.Taskbar(), SW_HIDE);
  HWND own = CreateWindowExA(0, "STATIC", "own", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_FALSE(IsWindowVisible(taskbar.Taskbar()) || IsWindowVisible(own));

  CRecoveryRecord record;
  record.windows = {DescribeWindow(taskbar.Taskbar()), DescribeWindow(own), DescribeWindow(other)};
  CTrayButtons buttons;
  GiveBackRecord(record, buttons);
  EXPECT_TRUE(automation::WaitUntil([&] { return IsWindowVisible(other) != FALSE; }, 5000));
  automation::PumpFor(300);
  EXPECT_FALSE(IsWindowVisible(taskbar.Taskbar())) << "the shell's";
  EXPECT_FALSE(IsWindowVisible(own)) << "the program's own";
  DestroyWindow(own);
}

}  // namespace
