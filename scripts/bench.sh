#!/usr/bin/env bash
# Builds Panorel and its benchmarks and prints their figures, under Wine on a
# private display with a prefix made for the run. Arguments: the window
# counts to measure (all of them when none is given).
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
export PANOREL_EXE="$build/Panorel.exe" PANOREL_HELPER_WINDOWS="$build/tests/helper_windows.exe"
PANOREL_RUN_TIMEOUT=1800 "$root/scripts/wine-exec.sh" "$build/bench/bench_switch.exe" "$@"
"$root/scripts/wine-exec.sh" "$build/bench/bench_idle_memory.exe"
