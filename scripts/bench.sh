#!/usr/bin/env bash
# Builds Panorel and its benchmarks and prints their figures, under Wine on a
# private display with a prefix made for the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build"

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
trap panorel_wine_down EXIT
panorel_test_env_up

export PANOREL_EXE="$build/Panorel.exe" PANOREL_HELPER_WINDOWS="$build/tests/helper_windows.exe"
PANOREL_RUN_TIMEOUT=1800 "$root/scripts/wine-exec.sh" "$build/bench/bench_switch.exe"
