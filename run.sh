#!/usr/bin/env bash
# Builds QOR (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
qor_setup
qor_build build Debug
exec ./build/qor "$@"
