#!/usr/bin/env bash
# Builds and runs every test: the whole suite (with the Debian package of the
# debug tree unpacked and run), a short fault soak of zt against zt-sim, the
# logic tests again under AddressSanitizer + UndefinedBehaviorSanitizer, and
# each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
fuzz_seconds=${ZT_FUZZ_SECONDS:-20}
soak_runs=${ZT_SOAK_RUNS:-60}

echo "== a PDF printer queue for the printing test"
cups_dir=$(mktemp -d /tmp/zt-cups.XXXXXX)
trap 'scripts/pdf-printer.sh stop "$cups_dir"; rm -rf "$cups_dir"' EXIT
eval "$(scripts/pdf-printer.sh start "$cups_dir")"

echo "== build and test"
# Every part named, so a tree configured otherwise before still builds all of it.
cmake -S . -B build/debug -DCMAKE_BUILD_TYPE=Debug -DZT_BENCH=ON -DZT_TESTS=ON -DZT_WINDOWS=ON \
  -DZT_SANITIZE=OFF -DZT_FUZZ=OFF >/dev/null
cmake --build build/debug -j"$jobs"
# The Debian package of this tree, for its end-to-end test; a few seconds.
rm -f build/debug/zetlogic_*.deb
(cd build/debug && cpack -G DEB >/dev/null)
ctest --test-dir build/debug --output-on-failure -j"$jobs"

echo "== fault soak, ${soak_runs} schedules"
build/debug/tools/soak/zt-soak --runs "$soak_runs" --jobs "$jobs"

echo "== logic tests under sanitizers"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DZT_SANITIZE=ON -DZT_BENCH=OFF -DZT_WINDOWS=OFF >/dev/null
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j"$jobs" -L logic

echo "== fuzz targets, ${fuzz_seconds} s each"
scripts/fuzz.sh "$fuzz_seconds"
echo "== all tests passed"
