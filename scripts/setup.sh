#!/bin/sh
# Installs the Debian packages Quadrell needs to build, test and run, when any
# of them is missing. Safe to run again: it does nothing once all are there.
# Qt Charts needs the OpenGL module's CMake files, which its package does not
# pull in.
set -eu

PACKAGES="cmake ninja-build g++ clang libclang-rt-14-dev make pkg-config desktop-file-utils \
qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libgl-dev \
googletest libgtest-dev libgmock-dev libbenchmark-dev \
nec2c fonts-dejavu-core fonts-liberation"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    exec "$(dirname "$0")/fetch-example-decks.sh"
fi

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "These packages are missing and there is no sudo to install them:$missing" >&2
    exit 1
fi
$SUDO apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing

"$(dirname "$0")/fetch-example-decks.sh"
