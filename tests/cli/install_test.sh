#!/bin/sh
# Installs the build into a fresh prefix and runs the installed stowbel-cli on its own: a
# calculation that draws works from the installed tree, the files the programs read are there,
# and stowbel-cli without stowbel-cli-draw beside it says so and exits with 3.
#   install_test.sh BUILD_DIR
set -eu
BUILD=$1
ROOT=$(mktemp -d "${TMPDIR:-/tmp}/stowbel-install.XXXXXX")
trap 'rm -rf "$ROOT"' EXIT
PREFIX=$ROOT/prefix

fail() {
    echo "install_test: $*" >&2
    exit 1
}

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
for file in stowbel stowbel-cli stowbel-cli-draw Stowbel_Containers.txt \
    Stowbel_UserGuide_RU.html; do
    [ -f "$PREFIX/$file" ] || fail "$file is not installed"
done

# Run from elsewhere, with nothing of the build on the way.
cd "$ROOT"
env -i PATH=/usr/bin:/bin HOME="$ROOT" "$PREFIX/stowbel-cli" example ISIN >t0001.txt
env -i PATH=/usr/bin:/bin HOME="$ROOT" "$PREFIX/stowbel-cli" calc t0001.txt --out OUT >report.txt
for file in r0001.txt r0001.txt2d.jpg r0001.txt3d.jpg r0001.txt.jpg; do
    [ -s "OUT/$file" ] || fail "calc --out did not store $file: $(ls OUT)"
done
[ -s report.txt ] || fail "calc printed no report"

# stowbel-cli alone: the calculation runs, a command that draws names the missing helper.
mkdir alone
cp "$PREFIX/stowbel-cli" alone/
alone/stowbel-cli calc t0001.txt >/dev/null || fail "calc without drawing failed alone"
status=0
alone/stowbel-cli calc t0001.txt --out OUT2 >/dev/null 2>err.txt || status=$?
[ "$status" -eq 3 ] || fail "calc --out without stowbel-cli-draw exited with $status, not 3"
grep -q "не удалось запустить $ROOT/alone/stowbel-cli-draw" err.txt ||
    fail "unexpected message: $(cat err.txt)"
[ ! -e OUT2 ] || fail "calc --out without stowbel-cli-draw created OUT2"
echo "install_test: installed tree in $PREFIX works"
