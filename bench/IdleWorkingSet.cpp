// What the real program costs in memory while it waits in the notification
// area: started with the usage agreement accepted, left until its dialog is
// hidden and it waits for input, then sampled a few times a second apart.
// Prints the working set and the private bytes (the process's own
// committed memory), with their peaks, of Panorel and of its watcher, and
// the processor time each spent between the first sample and the last.
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "framework/Handles.h"
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

bool ReadCounters(HANDLE process, PROCESS_MEMORY_COUNTERS_EX* counters) {
  counters->cb = sizeof *counters;
  return GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(counters), sizeof *counters) != FALSE;
}

// Kernel and user time together, in 100 ns units.
ULONGLONG ProcessorTime(HANDLE process) {
  FILETIME created = {}, exited = {}, kernel = {}, user = {};
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  auto value = [](const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return value(kernel) + value(user);
}

struct Measured {
  const char* name;
  HANDLE process;
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  ULONGLONG firstProcessorTime = 0;
};

}  // namespace

int main() {
  RunningPanorel panorel;
  if (!panorel.Dialog() || IsWindowVisible(panorel.Dialog())) {
    std::printf("idle: Panorel did not start with its dialog hidden\n");
    return 1;
  }
  CKernelHandle watcher(
      OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, panorel.Instance().WatcherId()));
  if (!watcher) {
    std::printf("idle: Panorel started no watcher\n");
    return 1;
  }
  HANDLE process = panorel.process().Handle();
  WaitForInputIdle(process, 10000);
  PumpFor(1000);

  Measured measured[] = {{"Panorel", process}, {"watcher", watcher.Get()}};
  std::printf("Panorel and its watcher idle, dialog hidden (%d samples, 1 s apart)\n", kSamples);
  std::printf("%-8s %-8s %14s %14s\n", "sample", "process", "working set", "private bytes");
  for (int sample = 1; sample <= kSamples; ++sample) {
    for (Measured& one : measured) {
      if (!ReadCounters(one.process, &one.counters)) {
        std::printf("idle: GetProcessMemoryInfo failed for the %s, error %lu\n", one.name, GetLastError());
        return 1;
      }
      if (sample == 1) one.firstProcessorTime = ProcessorTime(one.process);
      std::printf("%-8d %-8s %11.0f KiB %11.0f KiB\n", sample, one.name, KiB(one.counters.WorkingSetSize),
                  KiB(PrivateBytes(one.counters)));
    }
    if (sample < kSamples) PumpFor(1000);
  }
  for (const Measured& one : measured) {
    std::printf("%s: peak working set %.0f KiB, peak private bytes %.0f KiB, processor time while idle %.1f ms\n",
                one.name, KiB(one.counters.PeakWorkingSetSize), KiB(one.counters.PeakPagefileUsage),
                static_cast<double>(ProcessorTime(one.process) - one.firstProcessorTime) / 10000.0);
  }
  return 0;
}
