#!/usr/bin/env bash
# Builds the Debian package: a Release tree in build/package with Debian's
# build flags (hardening included), then cpack, which leaves
# build/package/zetlogic_VERSION_ARCH.deb. The package is then unpacked and run
# by its end-to-end test. Install it with: sudo apt install ./build/package/zetlogic_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
tree=build/package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DZT_TESTS=OFF -DZT_BENCH=OFF -DZT_WINDOWS=ON \
  -DZT_SANITIZE=OFF -DZT_FUZZ=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  "${launcher[@]}" >/dev/null
cmake --build "$tree" -j"$jobs"
rm -f "$tree"/zetlogic_*.deb
(cd "$tree" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$tree/CMakeCache.txt")
bash tests/package/package_e2e.sh "$tree" "$version" "$PWD"
ls -l "$tree"/zetlogic_*.deb
