#!/usr/bin/env bash
# Installs the dependencies, builds, and starts the presentation from the build folder, where the
# build has generated data/ next to the executable.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j "$(nproc)"
cd build && exec ./halcyra
