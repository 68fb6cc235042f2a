#!/usr/bin/env bash
# Runs a Windows program under Wine (64-bit) in the project's own Wine prefix, made once and
# cached outside the checkout, on a private X server. The Windows build's tests run through it
# (CMAKE_CROSSCOMPILING_EMULATOR); it returns the program's exit code.
# Usage: scripts/wine-run.sh PROGRAM.exe [ARGS...]
#        scripts/wine-run.sh --prefix   prints the Wine prefix (for wineserver, winecfg ...)
# GRALITH_WINE_DISPLAY: an X display for all programs of a run (scripts/test-windows.sh starts
# one). Without it each program gets a private Xvfb, kept until the prefix's Wine server ends.
# GRALITH_CACHE_DIR overrides the cache root (default ${XDG_CACHE_HOME:-~/.cache}/gralith).
# WINEDLLOVERRIDES given by the caller are added after the project's own; ALSA_CONFIG_PATH, when
# not given, makes ALSA's null device the default, so DirectSound has a device to play on.
set -euo pipefail

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
cache_root=${GRALITH_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/gralith}
version=$("$wine" --version | cut -d" " -f1)
export WINEPREFIX="$cache_root/wineprefix-${version#wine-}"
if [ "${1:-}" = "--prefix" ]; then
  echo "$WINEPREFIX"
  exit 0
fi
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or HTML engine: Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

if [ ! -f "$WINEPREFIX/complete" ]; then
  mkdir -p "$cache_root"
  exec 9>"$cache_root/wineprefix.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/complete" ]; then
    echo "wine-run: making the Wine prefix $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"
    DISPLAY= "$wine" wineboot -i >/dev/null 2>&1
    # Windows appear at once without a window manager (no wait for one to take them), and a
    # crashing program ends with a backtrace rather than a dialog nobody will close.
    DISPLAY= "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    DISPLAY= "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # The registry reaches its files when the server ends.
    WINEPREFIX=$WINEPREFIX "$(dirname "$wine")/wineserver" -w
    touch "$WINEPREFIX/complete"
  fi
  exec 9>&-
fi

# DirectSound needs an audio device: ALSA's null device stands in for a sound card.
if [ -z "${ALSA_CONFIG_PATH:-}" ]; then
  alsa_null="$cache_root/wine-alsa-null.conf"
  [ -f "$alsa_null" ] || echo 'pcm.!default { type null }' >"$alsa_null"
  export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$alsa_null"
fi

source "$(dirname "${BASH_SOURCE[0]}")/lib/xvfb.sh"
if [ -n "${GRALITH_WINE_DISPLAY:-}" ]; then
  export DISPLAY=$GRALITH_WINE_DISPLAY
else
  # A private X server, as the Linux tests start one: windows never reach the user's desktop.
  xvfb_start
  trap xvfb_stop EXIT
fi

status=0
"$wine" "$@" || status=$?
if [ -n "${XVFB_PID:-}" ]; then
  # The prefix's other Wine processes (its desktop) hold the display until the server ends.
  "$(dirname "$wine")/wineserver" -w
fi
exit "$status"
