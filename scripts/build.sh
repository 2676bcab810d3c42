#!/usr/bin/env bash
# Configures and builds Panorel (and, unless told otherwise, its tests) with
# the MinGW-w64 cross compiler. Usage: scripts/build.sh [build-dir] [cmake args...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build}"
shift || true
# The 32-bit compiler unless the arguments name another toolchain file.
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
