#!/usr/bin/env bash
# Runs a test program as a user who cannot write the folder of the programs
# it starts: the built programs named by PANOREL_EXE and PANOREL_HELPER_*
# are copied into such a folder, and the variables name the copies.
#
# Root ignores file permissions, so a run as root runs the test program as
# "nobody", with a home and a 32-bit prefix of its own (made here for this
# one run) on the run's display. Any other user runs it directly in the
# run's prefix, where permissions already bite. The test program's status
# is this script's, and nothing it started is left running.
#   as-user.sh TEST_PROGRAM [ARGS...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
user=nobody

if [ "${1:-}" = --inside ]; then
  # Now as that user, with HOME and WINEPREFIX of its own.
  shift
  # shellcheck source=wine-env.sh
  source "$root/scripts/wine-env.sh"
  panorel_prefix_up "$WINEPREFIX" virtual-desktop
  exec "$root/scripts/wine-exec.sh" "$@"
fi

program=$1
shift
base=$(mktemp -d /tmp/panorel-user.XXXXXX)
chmod 755 "$base"
programs="$base/programs"
home="$base/home"
mkdir "$programs"

as_root() { [ "$(id -u)" = 0 ]; }

cleanup() {
  if as_root; then
    # The user's server, and with it every program of that prefix.
    runuser -u "$user" -- env WINEPREFIX="$home/prefix" timeout 60 wineserver -k >/dev/null 2>&1 || true
    runuser -u "$user" -- env WINEPREFIX="$home/prefix" timeout 60 wineserver -w >/dev/null 2>&1 || true
  fi
  chmod 755 "$programs"
  rm -rf "$base"
}
trap cleanup EXIT

copy_program() {
  cp "$1" "$programs/"
  echo "$programs/$(basename "$1")"
}
test_program=$(copy_program "$program")
for name in $(compgen -e | grep -E '^PANOREL_(EXE|HELPER_[A-Z0-9_]+)$' || true); do
  export "$name=$(copy_program "${!name}")"
done

if as_root; then
  # Owned by root: the user may read and run the programs, not write beside them.
  chmod 755 "$programs"
  # The checkout may sit where the user cannot read (under /root): the user
  # runs copies of the scripts it needs.
  mkdir "$base/scripts"
  cp "$root/scripts/as-user.sh" "$root/scripts/wine-env.sh" "$root/scripts/wine-exec.sh" "$base/scripts/"
  mkdir "$home"
  chown "$user:" "$home"
  cd "$home"
  # The run's Xvfb takes connections from every local user on its socket
  # (it listens on no TCP port), so the user shares the run's display.
  runuser -u "$user" -- env HOME="$home" WINEPREFIX="$home/prefix" bash "$base/scripts/as-user.sh" --inside \
    "$test_program" "$@"
else
  chmod 555 "$programs"
  "$root/scripts/wine-exec.sh" "$test_program" "$@"
fi
