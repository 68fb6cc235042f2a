#!/usr/bin/env bash
# The Windows build: builds the static MinGW libraries (cached outside the checkout), configures
# with the "windows" preset (build-mingw/), builds, and runs the Windows tests under Wine, each
# program on a private X server. Arguments go to ctest (e.g. -R utils).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

start=$SECONDS
echo "== MinGW libraries =="
GRALITH_MINGW_PREFIX=$(scripts/build-mingw-deps.sh)
export GRALITH_MINGW_PREFIX
deps=$((SECONDS - start))

echo "== Windows build =="
cmake --preset windows "${launcher[@]}"
cmake --build --preset windows -j "$jobs"
build=$((SECONDS - start - deps))

echo "== Windows tests under Wine =="
# Each program runs in a Wine session and on an X server of its own (scripts/wine-run.sh).
status=0
ctest --preset windows -j "$jobs" "$@" || status=$?
echo "test-windows: libraries ${deps} s, build ${build} s, tests $((SECONDS - start - deps - build)) s"
exit "$status"
