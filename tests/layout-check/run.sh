#!/usr/bin/env bash
# The layout check: prints each document of docs/ to PDF through the program's own print
# code (rtfprint, US Letter, one-inch margins) and compares the words' places with
# LibreOffice's PDF of the same document (refs/, remade by make-references.sh).
#
#     tests/layout-check/run.sh BUILD_DIR [NAME]
#
# Installs what it needs (Debian packages: python3, poppler-utils for pdftotext, and
# fonts-liberation, the fonts the references were set in) when they are missing; where they
# cannot be installed it prints one line saying so and succeeds. LAYOUT_CHECK_VERBOSE=1
# lists every word out of place.
set -uo pipefail

build=${1:?usage: tests/layout-check/run.sh BUILD_DIR [NAME]}
here=$(cd "$(dirname "$0")" && pwd)
program="$build/rtfprint"
[ -x "$program" ] || { echo "layout-check: $program is missing; build the rtfprint target" >&2; exit 1; }

skip() {
    echo "layout-check: skipped: $*"
    exit 0
}

missing=()
for p in python3 poppler-utils fonts-liberation; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || skip "${missing[*]} missing, not root and no sudo to install them"
        sudo -n true 2>/dev/null || skip "${missing[*]} missing and sudo needs a password here"
        sudo=(sudo -n)
    fi
    command -v apt-get >/dev/null || skip "no apt-get to install ${missing[*]}"
    echo "layout-check: installing ${missing[*]}"
    log=$(mktemp -t vantorra-layout.XXXXXX)
    trap 'rm -f "$log"' EXIT
    timeout 600 "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null >"$log" 2>&1 \
        && timeout 900 "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >>"$log" 2>&1 \
        || skip "could not install ${missing[*]}: $(tail -n 1 "$log")"
fi

export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d -t vantorra-runtime.XXXXXX)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR" ${log:+"$log"}' EXIT
fi
python3 "$here/compare.py" check "$program" "${@:2}"
