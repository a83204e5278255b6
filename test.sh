#!/usr/bin/env bash
# Builds VantorraAds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

# The document tests compare page counts with LibreOffice's, which set the documents in the
# Liberation fonts: without them the text is set in wider fonts and runs onto more pages.
vantorra_install_packages fonts-liberation
vantorra_build build-test -DCMAKE_BUILD_TYPE=Debug -DVANTORRA_SANITIZE=ON -DBUILD_TESTING=ON

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd build-test
ctest --output-on-failure -j"$(nproc)" "$@"

# Printing on a real CUPS printer; skipped, with one line saying why, where CUPS cannot run.
cd ..
tests/cups-print.sh build-test
# Reading the program as a screen reader does, through AT-SPI under Xvfb; skipped, with one line, where it cannot run.
tests/atspi-check.sh build-test

# Documents printed as a word processor prints them: word places against LibreOffice's.
tests/layout-check/run.sh build-test

# Installing: cmake --install, the desktop files, the manual pages and the Debian package,
# from a plain Release build (the sanitizer build is for the tests only).
vantorra_build build-install -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
tests/install-check.sh build-install
