#!/usr/bin/env bash
# Builds QOR and its tests (installing what is missing) and runs every test through CTest; then
# builds them again with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan and runs
# them there, the random-input test with a long run.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/setup.sh
# The test list brings the locales the suites run under, Qt's translation tools and catalogues,
# the AT-SPI stack with Orca, weston and the Debian packaging tools.
qor_setup "${QOR_TEST_PACKAGES[@]}"
# Warnings fail the build here (and so in CI); a plain cmake build only reports them.
qor_build build Debug -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
(cd build && ctest --output-on-failure -j2)

# Any sanitizer report fails its test: ASan and UBSan stop at the first error, LeakSanitizer
# fails the run at exit. lsan.supp names the leaks of libraries under QOR, never QOR's own; how
# often each suppression fired is printed at exit.
qor_build build-asan Debug -DQOR_SANITIZE=ON -DQOR_BENCH=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
(cd build-asan &&
    ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:check_initialization_order=1 \
    LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    QOR_RANDOM_EVENTS=${QOR_RANDOM_EVENTS:-20000} \
    ctest --output-on-failure -j2)
