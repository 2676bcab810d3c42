// What the real program costs in memory while it waits in the notification
// area: started with the usage agreement accepted, left until its dialog is
// hidden and it waits for input, then sampled a few times a second apart.
// Prints the working set and the private bytes (the process's own
// committed memory), with their peaks.
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "tests/automation/RunningPanorel.h"
#include "tests/automation/Wait.h"

using namespace automation;

namespace {

constexpr int kSamples = 5;

double KiB(SIZE_T bytes) { return static_cast<double>(bytes) / 1024.0; }

// The process's committed private memory. Windows reports it twice, as
// PrivateUsage and as PagefileUsage; Wine 8 fills only the second.
SIZE_T PrivateBytes(const PROCESS_MEMORY_COUNTERS_EX& counters) {
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

}  // namespace

int main() {
  RunningPanorel panorel;
  if (!panorel.Dialog() || IsWindowVisible(panorel.Dialog())) {
    std::printf("idle: Panorel did not start with its dialog hidden\n");
    return 1;
  }
  HANDLE process = panorel.process().Handle();
  WaitForInputIdle(process, 10000);
  PumpFor(1000);

  std::printf("Panorel idle, dialog hidden (%d samples, 1 s apart)\n", kSamples);
  std::printf("%-8s %14s %14s\n", "sample", "working set", "private bytes");
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  for (int sample = 1; sample <= kSamples; ++sample) {
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
      std::printf("idle: GetProcessMemoryInfo failed, error %lu\n", GetLastError());
      return 1;
    }
    std::printf("%-8d %11.0f KiB %11.0f KiB\n", sample, KiB(counters.WorkingSetSize), KiB(PrivateBytes(counters)));
    if (sample < kSamples) PumpFor(1000);
  }
  std::printf("peak working set %.0f KiB, peak private bytes %.0f KiB\n", KiB(counters.PeakWorkingSetSize),
              KiB(counters.PeakPagefileUsage));
  return 0;
}
