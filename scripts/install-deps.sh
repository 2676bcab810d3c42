#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine needs to build Panorel and its
# installer and to run them under 32-bit Wine on an Xvfb display. The tests
# also need 64-bit Wine and the 64-bit compiler: one helper plays a 64-bit
# taskbar, with Panorel under WoW64 beside it. Safe to run again: it installs
# only what is missing.
set -euo pipefail

packages=(
  cmake make git python3
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64
  xvfb xdotool imagemagick x11-utils
  locales fonts-wqy-zenhei
  googletest
  nsis
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  # A mirror caught mid-sync fails one index now and then; what did arrive is
  # still good enough to install from, and the install itself says if not.
  as_root apt-get update -q || echo "install-deps: apt-get update reported errors; going on with the lists it has" >&2
  install() { as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"; }
  if ! install "${missing[@]}"; then
    # With one architecture's security index missing, the two architectures'
    # versions of a shared library disagree; the release's own versions agree.
    # The resolver finds its way one package at a time more often than all at once.
    echo "install-deps: retrying from the release's own lists" >&2
    install -t bookworm "${missing[@]}" || for p in "${missing[@]}"; do install -t bookworm "$p"; done
  fi
fi

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives code page
# 936, the program's own; en_US.UTF-8 gives code page 1252, where the tests
# check that it reads the same.
for wanted in zh_CN en_US; do
  if ! locale -a 2>/dev/null | grep -qix "$wanted.utf8"; then
    echo "install-deps: generating the $wanted.UTF-8 locale"
    as_root sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen "$wanted.UTF-8" >/dev/null
  fi
done
echo "install-deps: ready"
