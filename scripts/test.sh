#!/bin/sh
# Sets up, checks formatting, builds and runs every test but the soak test of watch mode
# (label soak: CI runs it as a step of its own, .ci/run).
#   scripts/test.sh             warnings as errors, all tests
#   scripts/test.sh --sanitize  the same tests under AddressSanitizer + UBSan (build-asan/)
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh

if [ "${1:-}" = "--sanitize" ]; then
    BUILD_DIR=build-asan
    scripts/build.sh "$BUILD_DIR" -DCMAKE_BUILD_TYPE=Debug -DSTOWBEL_SANITIZE=ON \
        -DSTOWBEL_BENCHMARKS=OFF
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp"
else
    BUILD_DIR=build
    scripts/check-format.sh
    scripts/build.sh "$BUILD_DIR"
fi

export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600 -LE soak
