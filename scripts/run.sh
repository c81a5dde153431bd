#!/bin/sh
# Sets up, builds and starts the desktop program. Where no display is available it says so and
# calculates the built-in ISIN example with the command-line tool instead, storing the report
# and pictures in build/demo/OUT.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/src/app/stowbel
fi

echo "No display found: running the command-line tool on the ISIN example instead."
DEMO=build/demo
mkdir -p "$DEMO/IN" "$DEMO/OUT"
build/src/cli/stowbel-cli example ISIN > "$DEMO/IN/t0001.txt"
build/src/cli/stowbel-cli calc "$DEMO/IN/t0001.txt" --out "$DEMO/OUT"
echo
echo "Report and pictures stored in $DEMO/OUT:"
ls -l "$DEMO/OUT"
