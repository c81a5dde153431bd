#!/bin/sh
# Configures and builds into a build directory. Usage: scripts/build.sh [BUILD_DIR] [cmake args]
set -eu
cd "$(dirname "$0")/.."
BUILD_DIR="${1:-build}"
[ $# -gt 0 ] && shift
cmake -S . -B "$BUILD_DIR" -DSTOWBEL_WERROR=ON "$@" >/dev/null || exit 1
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
