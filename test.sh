#!/usr/bin/env bash
# Builds QOR and its tests (installing what is missing) and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
qor_setup
qor_build build Debug
(cd build && ctest --output-on-failure -j2)
