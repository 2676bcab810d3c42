#!/usr/bin/env bash
# Takes the README's pictures of the agreement and the main dialog under a
# private Xvfb, from a fresh copy of the built program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${1:-$root/build}"
source "$root/scripts/wine-env.sh"
folder=$(mktemp -d)
trap 'panorel_wine_down; rm -rf "$folder"' EXIT
panorel_test_env_up
cp "$build/Panorel.exe" "$folder/"
cd "$folder"

# Waits until an X window with this name is mapped; Wine names X windows
# after their captions.
wait_for() { for _ in $(seq 100); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }
crop() { import -window root -crop "$2" +repage "$root/docs/$1"; }

mkdir -p "$root/docs"
wine Panorel.exe >/dev/null 2>&1 &
wait_for 'Panorel'
sleep 1
crop agreement-dialog.png 560x562+0+0
xdotool key --window "$(xdotool search --onlyvisible --name 'Panorel' | head -1)" Return || true
# The main dialog hides itself after start; a second start shows it again.
sleep 2
wine Panorel.exe >/dev/null 2>&1
wait_for 'Panorel - '
sleep 1
crop main-dialog.png 375x215+0+0
wineserver -k
