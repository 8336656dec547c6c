#!/usr/bin/env bash
# Builds the Debian package tarnconfig_VERSION_ARCH.deb: a release build of the editor and
# tarnctl without tests or benchmarks, installed under /usr. Prints the package's path last.
# It builds in the folder given as argument, else in $BUILD_DIR, else in build/package.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-${BUILD_DIR:-build/package}}"
# Debian's hardening flags (PIE, stack protector, fortify, relro and bindnow); CMake takes no
# CPPFLAGS, so the preprocessor's join the compiler's.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
  -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_BENCHMARKS=OFF
cmake --build "$build"
rm -f "$build"/tarnconfig_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/tarnconfig_*.deb)
echo "$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"
