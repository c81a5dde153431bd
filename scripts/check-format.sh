#!/bin/sh
# Fails when a C++ source differs from what clang-format makes of it.
set -eu
cd "$(dirname "$0")/.."
if git rev-parse --git-dir >/dev/null 2>&1; then
    files=$(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
    files=$(find src tests bench -name '*.cpp' -o -name '*.h')
fi
existing=""
for f in $files; do
    [ -f "$f" ] && existing="$existing $f"
done
[ -z "$existing" ] && exit 0
# shellcheck disable=SC2086
clang-format --dry-run --Werror $existing
