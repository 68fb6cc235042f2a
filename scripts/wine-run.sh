#!/usr/bin/env bash
# Runs a Windows program under Wine (64-bit), alone as the Linux tests run alone: its own Wine
# session in a Wine prefix that no other program uses meanwhile, on its own Xvfb. The prefixes
# are made once and cached outside the checkout, one per program running at the same time. The
# Windows build's tests run through it (CMAKE_CROSSCOMPILING_EMULATOR); it returns the
# program's exit code.
# Usage: scripts/wine-run.sh PROGRAM.exe [ARGS...]
# GRALITH_CACHE_DIR overrides the cache root (default ${XDG_CACHE_HOME:-~/.cache}/gralith).
# WINEDLLOVERRIDES given by the caller are added after the project's own; ALSA_CONFIG_PATH, when
# not given, makes ALSA's null device the default, so DirectSound has a device to play on.
set -euo pipefail

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
cache_root=${GRALITH_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/gralith}
version=$("$wine" --version | cut -d" " -f1)
prefixes="$cache_root/${version}-prefixes"
mkdir -p "$prefixes"

# The first prefix no other run holds; the lock lasts as long as this script.
slot=0
while :; do
  exec {lock}>"$prefixes/$slot.lock"
  if flock -n "$lock"; then break; fi
  exec {lock}>&-
  slot=$((slot + 1))
done
export WINEPREFIX="$prefixes/$slot"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or HTML engine: Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

# Wine's processes must not inherit the lock, or it would outlive this run.
if [ ! -f "$WINEPREFIX/complete" ]; then
  echo "wine-run: making the Wine prefix $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  DISPLAY= "$wine" wineboot -i >/dev/null 2>&1 {lock}>&-
  # Windows appear at once without a window manager (no wait for one to take them), and a
  # crashing program ends with a backtrace rather than a dialog nobody will close.
  DISPLAY= "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 {lock}>&-
  DISPLAY= "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 {lock}>&-
  # The registry reaches its files when the server ends.
  "$wineserver" -w {lock}>&-
  touch "$WINEPREFIX/complete"
fi

# DirectSound needs an audio device: ALSA's null device stands in for a sound card.
if [ -z "${ALSA_CONFIG_PATH:-}" ]; then
  alsa_null="$cache_root/wine-alsa-null.conf"
  [ -f "$alsa_null" ] || echo 'pcm.!default { type null }' >"$alsa_null"
  export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$alsa_null"
fi

# A private X server, as the Linux tests start one: windows never reach the user's desktop, and
# no other program's pointer or windows are there.
source "$(dirname "${BASH_SOURCE[0]}")/lib/xvfb.sh"
finish() {
  # The session ends with the program: its desktop and services go before their X server.
  "$wineserver" -k {lock}>&- 2>/dev/null || true
  xvfb_stop
}
xvfb_start {lock}>&-
trap finish EXIT

status=0
"$wine" "$@" {lock}>&- || status=$?
exit "$status"
