#!/usr/bin/env bash
# Builds QOR and its tests (installing what is missing) and runs every test through CTest; then
# builds them again with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan and runs
# them there, the random-input test with a long run.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
qor_setup "${QOR_TEST_PACKAGES[@]}"
qor_build build Debug
(cd build && ctest --output-on-failure -j2)

# Any sanitizer report fails its test: ASan and UBSan stop at the first error, LeakSanitizer
# fails the run at exit. lsan.supp names the leaks of libraries under QOR, never QOR's own.
qor_build build-asan Debug -DQOR_SANITIZE=ON -DQOR_BENCH=OFF
(cd build-asan &&
    ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:check_initialization_order=1 \
    LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    QOR_RANDOM_EVENTS=${QOR_RANDOM_EVENTS:-20000} \
    ctest --output-on-failure -j2)
