#!/usr/bin/env bash
# The run's 64-bit Wine prefix, where 32-bit programs run under WoW64 beside
# 64-bit ones. The tests make it once per run (a ctest fixture) in the folder
# that scripts/wine-env.sh names, on the run's display.
#   wine64.sh up                  makes the prefix and keeps its server running
#   wine64.sh down                ends the prefix's server
#   wine64.sh exec PROGRAM ARGS   runs a program there, bounded in time
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${PANOREL_WINE64_PREFIX:-}" ]; then
  echo "wine64.sh: PANOREL_WINE64_PREFIX is not set; run the tests through scripts/test.sh" >&2
  exit 2
fi
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
export WINEARCH=win64 WINEPREFIX="$PANOREL_WINE64_PREFIX"

case "${1:-}" in
  up) panorel_prefix_up "$WINEPREFIX" virtual-desktop ;;
  down)
    timeout 60 wineserver -k >/dev/null 2>&1 || true
    timeout 60 wineserver -w >/dev/null 2>&1 || true
    ;;
  exec)
    shift
    exec "$root/scripts/wine-exec.sh" "$@"
    ;;
  *)
    echo "usage: wine64.sh up|down|exec PROGRAM [ARGS...]" >&2
    exit 2
    ;;
esac
