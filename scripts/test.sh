#!/usr/bin/env bash
# Installs the dependencies and checks the code style, then builds and runs every test: once in
# the normal build (warnings as errors), once in the Windows cross build under Wine, and once
# under AddressSanitizer and UndefinedBehaviorSanitizer; then fuzzes each file decoder for a short
# while (GRALITH_FUZZ_SECONDS each, 30 by default) in a clang build.
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
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600 ${CTEST_REPEAT:+--repeat "$CTEST_REPEAT"}
}

echo "== code style =="
scripts/check-format.sh
echo "== normal build =="
run_suite build Release
echo "== Windows build =="
scripts/test-windows.sh
echo "== sanitizer build =="
# Mesa's helper threads (llvmpipe's workers, the shader cache's writer) can be half torn down
# when LeakSanitizer stops the world at exit, which now and then crashes its tracer after a GL
# test passed ("Tracer caught signal 11"). Fewer threads make it rarer; a test that fails is run
# once more, so a real leak, which fails every time, still fails the stage.
LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true CTEST_REPEAT=until-pass:2 \
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-sanitize Debug -DGRALITH_SANITIZE=ON -DGRALITH_BUILD_BENCHMARKS=OFF
echo "== fuzz build =="
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRALITH_WERROR=ON "${launcher[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DGRALITH_FUZZ=ON \
  -DGRALITH_FUZZ_SECONDS="${GRALITH_FUZZ_SECONDS:-30}" -DGRALITH_BUILD_BENCHMARKS=OFF
cmake --build build-fuzz -j "$jobs" --target fuzz
ctest --test-dir build-fuzz -L fuzz --output-on-failure -j "$jobs"
