#!/usr/bin/env bash
# Sets up this machine, builds Panorel with its tests, and runs every test
# under Wine on a private display with a fresh prefix made once for the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build"

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
trap panorel_wine_down EXIT
panorel_test_env_up

cd "$build"
ctest --output-on-failure "$@"
