#!/usr/bin/env bash
# Sets up this machine, builds Panorel with its tests, and runs every test
# under Wine on a private display with a fresh prefix made once for the run.
set -euo pipefail
source "$(dirname "$0")/prepare.sh"
cd "$build"
ctest --output-on-failure "$@"
