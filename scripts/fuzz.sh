#!/bin/sh
# Builds the libFuzzer targets with clang (build-fuzz/) and runs them.
#   scripts/fuzz.sh              the short CI runs and the regression inputs, through CTest
#   scripts/fuzz.sh MINUTES      each fuzzer for MINUTES minutes on the seed corpus; findings are
#                                written to build-fuzz/findings/
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_DIR=build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSTOWBEL_FUZZ=ON -DSTOWBEL_TESTS=OFF -DSTOWBEL_BENCHMARKS=OFF -DSTOWBEL_PROGRAMS=OFF \
    -DSTOWBEL_WERROR=ON >/dev/null
cmake --build "$BUILD_DIR" --parallel "$(nproc)"

if [ $# -eq 0 ]; then
    cd "$BUILD_DIR"
    ctest --output-on-failure --timeout 1800
    exit 0
fi

SECONDS_EACH=$(($1 * 60))
mkdir -p "$BUILD_DIR/findings"
for fuzzer in run_fuzzer raster_fuzzer; do
    mkdir -p "$BUILD_DIR/corpus-$fuzzer"
    echo "== $fuzzer for $1 minutes"
    QT_QPA_PLATFORM=offscreen "$BUILD_DIR/fuzz/$fuzzer" -max_total_time="$SECONDS_EACH" \
        -max_len=2048 -timeout=30 -rss_limit_mb=3072 -dict=fuzz/order.dict -print_final_stats=1 \
        -artifact_prefix="$BUILD_DIR/findings/$fuzzer-" "$BUILD_DIR/corpus-$fuzzer" fuzz/corpus
done
