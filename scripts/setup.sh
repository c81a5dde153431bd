#!/bin/sh
# Installs the Debian 12 packages that building and testing need. Safe to run again: only
# missing packages are installed.
set -eu

PACKAGES="cmake g++ make pkg-config clang-format qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
libjpeg62-turbo-dev nlohmann-json3-dev libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth fp-utils
clang-14 libclang-rt-14-dev poppler-utils fonts-dejavu-core"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then
        SUDO="sudo"
    fi
    echo "Installing:$missing"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
