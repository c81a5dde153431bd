#!/bin/sh
# Sets up, builds and runs the program.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
echo "Built into build/. The calculation libraries and their tests are ready;"
echo "the command-line tool and the desktop program are not part of this build yet."
