#!/usr/bin/env bash
# Builds VantorraAds and starts it on the bundled sample media.
# Extra arguments go to the program, e.g. ./run.sh --library /tmp/vantorra
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

vantorra_install_packages
vantorra_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF

# The sample media is written once; delete build/sample-media to write it again.
if [ ! -f build/sample-media/.complete ]; then
    rm -rf build/sample-media
    build/vantorra-mediagen build/sample-media
    touch build/sample-media/.complete
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display to show the program on (DISPLAY and WAYLAND_DISPLAY are not set)." >&2
    exit 1
fi
exec build/vantorraads --media build/sample-media "$@"
