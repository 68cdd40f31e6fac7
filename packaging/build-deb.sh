#!/usr/bin/env bash
# Builds QOR's Debian package: a Release build of the program alone (no tests, no benchmarks)
# in BUILD_DIR (build-deb by default), then cpack -G DEB there. Installs what is missing first
# (dpkg-dev and file, which cpack uses to compute the dependencies). Prints the package's path.
#
#   packaging/build-deb.sh [BUILD_DIR]
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$src/build-deb}")
. "$src/scripts/setup.sh"
qor_setup dpkg-dev file >&2
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQOR_BENCH=OFF >&2
cmake --build "$build" -j"$(nproc)" >&2
rm -f "$build"/qor_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/qor_*.deb
