#!/bin/sh
# Photographs the desktop program step by step under Xvfb into build/screenshots/ and refreshes
# the README's screenshot docs/screenshot.png from the first step. Needs a build (scripts/build.sh).
set -eu
cd "$(dirname "$0")/.."
DIR=build/screenshots
rm -rf "$DIR"
xvfb-run -a -s "-screen 0 1600x1000x24" build/tests/app/stowbel_screenshot_tour "$DIR"
cp "$DIR/01-main-isin.png" docs/screenshot.png
