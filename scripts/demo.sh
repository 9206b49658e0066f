#!/usr/bin/env bash
# Builds zt and runs its demo: a sample recorder image written, loaded and shown.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DZT_TESTS=OFF -DZT_BENCH=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target zt
build/release/tools/zt/zt demo "$@"
