// Times Panorel's switch against the floor of what any switch must do.
//
// For N windows of another process it measures, per switch, in one run:
//   program  - the real program, hotkey pressed with real key input, until
//              the last window is hidden (and, pressed again, shown);
//   bare     - this process hiding and showing the same windows directly;
//   ping     - the same loop with the WM_NULL ping before each call: the
//              floor of a switch that must ping every window.
// Prints medians over several rounds and the program/ping ratios, then what
// programs that stalled just before the press cost a switch. At N = 200
// it measures once more with pinned programs set (none of them the farm's),
// where every switch looks the processes of the windows up. At N = 10 it
// measures once more with a 15 MB settings file, which a switch must not
// read again while it is unchanged.
// Arguments, when given, are the values of N to run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "switcher/PinnedPrograms.h"
#include "tests/automation/Panorel.h"
#include "tests/automation/Wait.h"
#include "tests/automation/WindowFarm.h"
#include "tests/automation/Windows.h"

using namespace automation;

namespace {

constexpr int kRounds = 5;

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Times one loop over the windows with the given per-window step.
double TimeLoop(const std::vector<HWND>& windows, const std::function<void(HWND)>& step) {
  const double start = Now();
  for (HWND window : windows) step(window);
  return Now() - start;
}

void Ping(HWND window) {
  DWORD_PTR reply = 0;
  SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &reply);
}

// The given windows in their current stacking order, topmost first.
std::vector<HWND> StackOf(const std::vector<HWND>& windows, DWORD processId) {
  std::vector<HWND> stack;
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (std::find(windows.begin(), windows.end(), window) != windows.end()) stack.push_back(window);
  }
  return stack;
}

// Presses the hotkey and waits until every window has reached the wanted
// visibility, watching first the window the program handles last (polls go
// through the same server the program is working with, so they are kept
// few). Returns the milliseconds, or -1.
double TimeProgramSwitch(const std::vector<HWND>& windows, HWND handledLast, bool toVisible) {
  const double start = Now();
  PressKeys({VK_CONTROL}, VK_F1);
  auto reached = [&](HWND window) { return (IsWindowVisible(window) != FALSE) == toVisible; };
  while (!reached(handledLast)) {
    if (Now() - start > 60000) return -1;
    Sleep(1);
  }
  for (HWND window : windows) {
    while (!reached(window)) {
      if (Now() - start > 60000) return -1;
      Sleep(1);
    }
  }
  return Now() - start;
}

// The switch as one synchronous round trip of the hotkey message: the whole
// handler, enumeration included.
double TimeHandler(HWND dialog) {
  const double start = Now();
  DWORD_PTR result = 0;
  SendMessageTimeoutA(dialog, WM_HOTKEY, 0, 0, SMTO_NORMAL, 60000, &result);
  return Now() - start;
}

struct Figures {
  double programHide, programShow, handlerHide, handlerShow, bareHide, bareShow, pingHide, pingShow;
  // The pinned programs' look-up alone, as one switch makes it.
  double pinnedLookUp;
};

// The program's names that the pinned run sets: none is the farm's.
constexpr char kPinnedNames[] = "notepad.exe;player.exe;chat.exe;clock.exe";

Figures Measure(int count, const char* pinned = nullptr, size_t settingsPadding = 0) {
  WindowFarm farm;
  const std::vector<HWND> windows = farm.OpenMany(count);
  std::vector<double> programHide, programShow, handlerHide, handlerShow, bareHide, bareShow, pingHide, pingShow;

  PanorelInstance panorel;
  panorel.AcceptAgreement();
  if (pinned) panorel.WriteIni("Extras", "Pinned", pinned);
  if (settingsPadding) panorel.SetIniText(panorel.IniText() + "[Padding]\r\n" + std::string(settingsPadding, ';'));
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  WaitUntil([&] { return dialog && !IsWindowVisible(dialog); }, 5000);
  // Hiding goes from the bottom of the stack up, so the topmost window is
  // hidden last; showing goes through the list, recorded topmost first at
  // the first switch, so the window then at the bottom is shown last.
  const std::vector<HWND> stackAtFirstHide = StackOf(windows, farm.ProcessId());
  for (int round = 0; round < kRounds; ++round) {
    programHide.push_back(TimeProgramSwitch(windows, StackOf(windows, farm.ProcessId()).front(), false));
    programShow.push_back(TimeProgramSwitch(windows, stackAtFirstHide.back(), true));
  }
  for (int round = 0; round < kRounds; ++round) {
    handlerHide.push_back(TimeHandler(dialog));
    handlerShow.push_back(TimeHandler(dialog));
  }
  panorel.Exit();

  std::vector<double> pinnedLookUp = {0};
  if (pinned) {
    pinnedLookUp.clear();
    for (int round = 0; round < kRounds; ++round) {
      pinnedLookUp.push_back(TimeLoop(windows, [looked = CPinnedPrograms(pinned)](HWND w) mutable {
        looked.IsPinned(w);
      }));
    }
  }
  for (int round = 0; round < kRounds; ++round) {
    bareHide.push_back(TimeLoop(windows, [](HWND w) { ShowWindow(w, SW_HIDE); }));
    bareShow.push_back(TimeLoop(windows, [](HWND w) { ShowWindow(w, SW_SHOW); }));
    pingHide.push_back(TimeLoop(windows, [](HWND w) { Ping(w); ShowWindow(w, SW_HIDE); }));
    pingShow.push_back(TimeLoop(windows, [](HWND w) { Ping(w); ShowWindow(w, SW_SHOW); }));
  }
  return {Median(programHide), Median(programShow), Median(handlerHide), Median(handlerShow),
          Median(bareHide),    Median(bareShow),    Median(pingHide),    Median(pingShow),
          Median(pinnedLookUp)};
}

// k windows of N whose programs stopped answering just before the press
// (too recently for the system to flag them hung): from the press until the
// others are hidden, and from a second press at once until they are back.
void MeasureStalledSwitch(int count, int stalledCount) {
  WindowFarm farm;
  const std::vector<HWND> answering = farm.OpenMany(count - stalledCount);
  std::vector<HWND> stalled;
  for (int i = 0; i < stalledCount; ++i) stalled.push_back(farm.Open(farm::Kind::kOwnThread));
  PanorelInstance panorel;
  panorel.AcceptAgreement();
  panorel.Start();
  HWND dialog = panorel.WaitForMainDialog();
  WaitUntil([&] { return dialog && !IsWindowVisible(dialog); }, 5000);
  for (HWND window : stalled) farm.Hang(window);
  const double hide = TimeProgramSwitch(answering, answering.back(), false);
  const double show = TimeProgramSwitch(answering, answering.front(), true);
  std::printf("%5d among %3d stalled | hidden after %7.1f ms | shown again after %7.1f ms\n", stalledCount, count,
              hide, show);
  std::fflush(stdout);
  for (HWND window : stalled) farm.Resume(window);
  panorel.Exit();
}

}  // namespace

void PrintRow(const char* label, int count, const Figures& f) {
  std::printf("%5d%-7s | %9.1f %9.1f | %9.1f %9.1f | %9.1f %9.1f | %9.1f %9.1f | %10.2f %10.2f\n", count, label,
              f.programHide, f.programShow, f.handlerHide, f.handlerShow, f.bareHide, f.bareShow, f.pingHide,
              f.pingShow, f.programHide / f.pingHide, f.programShow / f.pingShow);
  std::fflush(stdout);
}

int main(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {10, 100, 200, 500};
  std::printf("Switch timings in ms per switch, median of %d rounds\n", kRounds);
  std::printf("prog: hotkey pressed until the last window changed; handler: the hotkey message's round trip\n");
  std::printf("%12s | %9s %9s | %9s %9s | %9s %9s | %9s %9s | %10s %10s\n", "N", "prog hide", "prog show",
              "hdlr hide", "hdlr show", "bare hide", "bare show", "ping hide", "ping show", "hide/floor",
              "show/floor");
  for (int count : counts) {
    PrintRow("", count, Measure(count));
    if (count == 10) PrintRow(" 15 MB", count, Measure(count, nullptr, 15u * 1024 * 1024));
    if (count != 200) continue;
    const Figures pinned = Measure(count, kPinnedNames);
    PrintRow(" pinned", count, pinned);
    std::printf("%12s   pinned programs' look-up over the %d windows: %.2f ms\n", "", count, pinned.pinnedLookUp);
  }
  std::printf("Windows whose programs stalled just before the press:\n");
  for (int stalled : {0, 1, 3}) MeasureStalledSwitch(20, stalled);
  return 0;
}
