# Sourced by test.sh and bench.sh: sets this machine up, builds Panorel with
# its tests into build/, and readies a fresh Wine prefix on a private display
# for the run, torn down when the calling script ends.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$root/scripts/install-deps.sh"
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
# A machine that runs no 32-bit code builds the 64-bit programs apart.
build="$root/build"
[ "$PANOREL_TARGET" = i686 ] || build="$root/build-$PANOREL_TARGET"
"$root/scripts/build.sh" "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$PANOREL_TARGET.cmake"

trap panorel_wine_down EXIT
panorel_test_env_up
