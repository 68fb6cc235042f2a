#!/usr/bin/env bash
# Installs the dependencies, then builds and runs every test: once in the normal build (warnings
# as errors) and once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)
# A compiler cache keyed on paths relative to the checkout, so rebuilding the same sources in
# another clone (a CI run after a local one) is quick.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

run_suite() { # build-dir, build type, extra cmake flags...
  local dir=$1 type=$2; shift 2
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DGRALITH_WERROR=ON "${launcher[@]}" "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600
}

echo "== normal build =="
run_suite build Release
echo "== sanitizer build =="
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-sanitize Debug -DGRALITH_SANITIZE=ON -DGRALITH_BUILD_BENCHMARKS=OFF
