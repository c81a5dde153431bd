#!/bin/sh
# Sets up, builds and runs the program: the built-in ISIN example is calculated by the
# command-line tool, and its report and pictures are stored in build/demo/OUT.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
DEMO=build/demo
mkdir -p "$DEMO/IN" "$DEMO/OUT"
build/src/cli/stowbel-cli example ISIN > "$DEMO/IN/t0001.txt"
build/src/cli/stowbel-cli calc "$DEMO/IN/t0001.txt" --out "$DEMO/OUT"
echo
echo "Report and pictures stored in $DEMO/OUT:"
ls -l "$DEMO/OUT"
