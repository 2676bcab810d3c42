#!/usr/bin/env bash
# Sets up this machine, builds Panorel and runs it under Wine: on your display
# when there is one, otherwise on a private Xvfb. Its settings file lands
# beside the program, in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh"
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
# A machine that runs no 32-bit code runs the 64-bit build of the same sources.
build="$root/build"
[ "$PANOREL_TARGET" = i686 ] || build="$root/build-$PANOREL_TARGET"
"$root/scripts/build.sh" "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$PANOREL_TARGET.cmake" \
  -DPANOREL_BUILD_TESTS=OFF
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
