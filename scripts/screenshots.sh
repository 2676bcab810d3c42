#!/usr/bin/env bash
# Takes the README's pictures of the agreement and the main dialog, in
# Chinese and in English, under a private Xvfb, from fresh copies of the
# built program: the Chinese ones under a Chinese locale, the English ones
# under an English locale, as each language's users see them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build}"
source "$root/scripts/wine-env.sh"
folder=$(mktemp -d)
trap 'panorel_wine_down; rm -rf "$folder"' EXIT
panorel_test_env_up

# Waits until an X window with this name is mapped; Wine names X windows
# after their captions.
wait_for() { for _ in $(seq 100); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }
crop() { import -window root -crop "$2" +repage "$root/docs/$1"; }

# shoot LOCALE SUFFIX: the agreement of a first start, then the main dialog
# brought back by a second start, as docs/agreement-dialog$SUFFIX.png and
# docs/main-dialog$SUFFIX.png.
shoot() {
  local locale="$1" suffix="$2"
  mkdir -p "$folder/$locale"
  cp "$build/Panorel.exe" "$folder/$locale/"
  (
    cd "$folder/$locale"
    export LANG="$locale" LC_ALL="$locale"
    wine Panorel.exe >/dev/null 2>&1 &
    wait_for 'Panorel'
    sleep 1
    crop "agreement-dialog$suffix.png" 560x562+0+0
    xdotool key --window "$(xdotool search --onlyvisible --name 'Panorel' | head -1)" Return || true
    # The main dialog hides itself after start; a second start shows it again.
    sleep 2
    wine Panorel.exe >/dev/null 2>&1
    wait_for 'Panorel - '
    sleep 1
    crop "main-dialog$suffix.png" 460x215+0+0
  )
  # Ends the copy and everything else of the run's own prefix.
  wineserver -k
}

mkdir -p "$root/docs"
shoot zh_CN.UTF-8 ""
shoot en_US.UTF-8 "-en"
