# Sourced by run.sh and test.sh: a private Wine prefix and, when wanted, a
# private Xvfb display. Everything started here is remembered by its id and
# ended by panorel_wine_down, never by name.

# Wine's ANSI code page follows the locale: zh_CN.UTF-8 gives code page 936.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDEBUG=-all

# Whether this machine runs 32-bit code at all: some virtual machines' kernels
# refuse every 32-bit executable, Wine's 32-bit loader among them.
panorel_runs_32bit() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }

# panorel_wine64_only: Wine through its 64-bit loader alone. Debian's "wine"
# and "wineboot" take the 32-bit loader whenever it is installed, so a folder
# of two small commands that name the 64-bit one goes first on PATH.
panorel_wine64_only() {
  local bin="${TMPDIR:-/tmp}/panorel-wine64-bin-$(id -u)"
  mkdir -p "$bin"
  printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/wine"
  printf '#!/bin/sh\nexec /usr/lib/wine/wine64 wineboot.exe "$@"\n' >"$bin/wineboot"
  chmod 755 "$bin/wine" "$bin/wineboot"
  export PATH="$bin:$PATH" WINELOADER=/usr/lib/wine/wine64
}

# The programs run here are built for what the machine runs: 32-bit, as users
# get them, or else the same sources as 64-bit programs in a 64-bit prefix.
if panorel_runs_32bit; then
  export WINEARCH=win32 PANOREL_TARGET=i686
else
  export WINEARCH=win64 PANOREL_TARGET=x86_64
  panorel_wine64_only
fi
# Keeps a new prefix from offering to install Mono and Gecko, and keeps Wine
# from copying Start-menu shortcuts (the installer's) into the host's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

PANOREL_XVFB_PID=""
PANOREL_OWN_PREFIX=""

# panorel_display_up: starts a private Xvfb and points DISPLAY at it.
panorel_display_up() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  PANOREL_XVFB_PID=$!
  local waited=0
  while [ ! -s "$fdfile" ] && [ $waited -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
  if [ ! -s "$fdfile" ]; then
    echo "wine-env: Xvfb did not start" >&2
    rm -f "$fdfile"
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# panorel_prefix_up DIR [virtual-desktop]: makes DIR a prefix (once)
# and keeps its server running. With "virtual-desktop", Wine draws its own
# desktop: without a window manager every hidden window otherwise costs
# about two seconds.
panorel_prefix_up() {
  export WINEPREFIX="$1"
  local desktop="${2:-}"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1
    timeout 60 wineserver -w
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    # A program that crashes ends at once instead of waiting on the
    # debugger's crash dialog, which nobody is there to close.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    if [ "$desktop" = virtual-desktop ]; then
      timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
      timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f >/dev/null 2>&1
    fi
    # The settings take effect for the next server.
    timeout 60 wineserver -k || true
    timeout 60 wineserver -w || true
  fi
  wineserver -p >/dev/null 2>&1
  # Starts the prefix's services now, detached from any caller's output.
  timeout 300 wineboot >/dev/null 2>&1 </dev/null || true
}

# panorel_test_env_up: a fresh prefix in a temporary folder on a private
# display, for one run of the tests.
# The run's 64-bit prefix beside it is made only by the tests that need it
# (scripts/wine64.sh).
panorel_test_env_up() {
  PANOREL_OWN_PREFIX=$(mktemp -d /tmp/panorel-wine.XXXXXX)
  export PANOREL_WINE64_PREFIX="$PANOREL_OWN_PREFIX/prefix64"
  panorel_display_up || return 1
  panorel_prefix_up "$PANOREL_OWN_PREFIX/prefix" virtual-desktop
}

panorel_wine_down() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    timeout 60 wineserver -k >/dev/null 2>&1 || true
    timeout 60 wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "${PANOREL_WINE64_PREFIX:-}" ] && [ -d "$PANOREL_WINE64_PREFIX" ]; then
    WINEPREFIX="$PANOREL_WINE64_PREFIX" timeout 60 wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$PANOREL_WINE64_PREFIX" timeout 60 wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "$PANOREL_XVFB_PID" ]; then
    kill "$PANOREL_XVFB_PID" 2>/dev/null || true
    wait "$PANOREL_XVFB_PID" 2>/dev/null || true
    PANOREL_XVFB_PID=""
  fi
  if [ -n "$PANOREL_OWN_PREFIX" ]; then
    rm -rf "$PANOREL_OWN_PREFIX"
    PANOREL_OWN_PREFIX=""
  fi
}
