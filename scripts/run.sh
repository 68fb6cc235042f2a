#!/usr/bin/env bash
# Installs the dependencies, builds, and starts the presentation from the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
if [ -x build/velorin/halcyra ]; then
  cd build/velorin && exec ./halcyra
fi
echo "The presentation is not built yet; running the engine tests instead."
ctest --test-dir build --output-on-failure
