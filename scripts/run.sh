#!/usr/bin/env bash
# Sets up this machine, builds Panorel and runs it under Wine: on your display
# when there is one, otherwise on a private Xvfb. Its settings file lands
# beside the program, in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build" -DPANOREL_BUILD_TESTS=OFF

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
trap panorel_wine_down EXIT
desktop=""
if [ -z "${DISPLAY:-}" ]; then
  panorel_display_up
  desktop=virtual-desktop
  echo "run: no display found; Panorel runs on the private display $DISPLAY"
fi
panorel_prefix_up "$build/wineprefix${desktop:+-$desktop}" "$desktop"
cd "$build"
wine Panorel.exe "$@"
