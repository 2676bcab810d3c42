# Sourced by test.sh and bench.sh: sets this machine up, builds Panorel with
# its tests into build/, and readies a fresh Wine prefix on a private display
# for the run, torn down when the calling script ends.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build"

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
trap panorel_wine_down EXIT
panorel_test_env_up
