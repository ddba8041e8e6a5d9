#!/bin/sh
# Fetches the example NEC-2 decks that another NEC-2 program ships in Debian
# (xnec2c's documentation) into .cache/outside-decks, for the tests that open
# and solve decks Quadrell did not write. Only the decks are kept; the package
# itself is unpacked into a temporary folder and thrown away. Safe to run
# again: it does nothing once the decks are there.
set -eu
cd "$(dirname "$0")/.."

TARGET=.cache/outside-decks
if [ -n "$(ls "$TARGET"/*.nec 2>/dev/null)" ]; then
    exit 0
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
if ! (cd "$WORK" && apt-get download -qq xnec2c >/dev/null 2>&1); then
    apt-get update -qq >/dev/null 2>&1 || true
    (cd "$WORK" && apt-get download -qq xnec2c >/dev/null)
fi
dpkg-deb -x "$WORK"/xnec2c_*.deb "$WORK/unpacked"
mkdir -p "$TARGET"
for deck in "$WORK"/unpacked/usr/share/doc/xnec2c/examples/*.nec*; do
    case "$deck" in
        *.nec) cp "$deck" "$TARGET/" ;;
        *.nec.gz) gzip -dc "$deck" >"$TARGET/$(basename "$deck" .gz)" ;;
    esac
done
echo "Fetched $(ls "$TARGET"/*.nec | wc -l) example decks into $TARGET"
