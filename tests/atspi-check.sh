#!/usr/bin/env bash
# Reads the running program as a screen reader does, through AT-SPI: starts an X server
# (Xvfb) and a D-Bus session of its own, runs the program on sample media with the Qt
# accessibility bridge on, and lets tests/atspi-check.py walk the tree, choose a make and a
# year, press "Next ad" and read the new counter and picture name.
#
#     tests/atspi-check.sh BUILD_DIR
#
# Installs what it needs (Debian: xvfb dbus at-spi2-core python3-pyatspi xdotool) when it may; where
# it cannot run here it prints one line saying why and succeeds. It never waits for input,
# everything it starts has a time limit, and it stops its X server and D-Bus session at the
# end.
set -uo pipefail

build=${1:?usage: tests/atspi-check.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
program="$build/vantorraads"
mediagen="$build/vantorra-mediagen"
work=$(mktemp -d -t vantorra-atspi.XXXXXX)
xvfb_pid=""

skip() {
    echo "atspi-check: skipped: $*"
    exit 0
}

cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

[ -x "$program" ] || { echo "atspi-check: $program is missing" >&2; exit 1; }
[ -x "$mediagen" ] || { echo "atspi-check: $mediagen is missing" >&2; exit 1; }

# The packages (the system's python3, which is the one python3-pyatspi serves).
python=/usr/bin/python3
missing=()
for p in xvfb dbus at-spi2-core python3-pyatspi xdotool; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    command -v apt-get >/dev/null || skip "no apt-get to install ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null && sudo -n true 2>/dev/null || skip "${missing[*]} missing, and no sudo to install them"
        sudo=(sudo -n)
    fi
    echo "atspi-check: installing ${missing[*]}"
    timeout 600 "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null >"$work/apt.log" 2>&1 \
        && timeout 900 "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >>"$work/apt.log" 2>&1 \
        || skip "could not install ${missing[*]}: $(tail -n 1 "$work/apt.log")"
fi
command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
command -v xdotool >/dev/null || skip "xdotool is not installed"
timeout 30 "$python" -c 'import pyatspi' </dev/null >/dev/null 2>&1 || skip "$python cannot import pyatspi"

# An X server on a display nobody uses.
display=""
for n in $(seq 70 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=$n
        break
    fi
done
[ -n "$display" ] || skip "no free X display number between 70 and 140"
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
deadline=$((SECONDS + 15))
while [ ! -e "/tmp/.X11-unix/X$display" ]; do
    if ! kill -0 "$xvfb_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        xvfb_pid=""
        skip "Xvfb did not start: $(tail -n 1 "$work/xvfb.log")"
    fi
    sleep 0.2
done

# Sample media, small ads.
timeout 300 "$mediagen" "$work/media" --ad-size 320x414 </dev/null >"$work/mediagen.log" 2>&1 \
    || { echo "atspi-check: vantorra-mediagen failed: $(tail -n 1 "$work/mediagen.log")" >&2; exit 1; }

# The program and the reader inside one D-Bus session, which ends with them (and with it
# the accessibility bus it starts). Settings, lock and library stay in the scratch folder.
mkdir -p "$work/home" "$work/config" "$work/runtime" "$work/library"
chmod 700 "$work/runtime"
echo "atspi-check: reading the program through AT-SPI on display :$display"
DISPLAY=":$display" HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0 \
    VANTORRA_PROGRAM="$program" VANTORRA_MEDIA="$work/media" VANTORRA_LIBRARY="$work/library" \
    timeout -k 10 240 dbus-run-session -- "$python" "$here/atspi-check.py" </dev/null 2>"$work/session.log"
status=$?
if [ $status -ne 0 ] && [ $status -ne 77 ]; then
    echo "atspi-check: the session's messages:" >&2
    grep -v "Failed to set fd limit" "$work/session.log" | tail -n 20 >&2
    [ -f "$work/program.log" ] && { echo "atspi-check: the program's output:" >&2; tail -n 20 "$work/program.log" >&2; }
fi
if [ $status -eq 77 ]; then
    skip "the accessibility bus did not come up in the D-Bus session"
fi
[ $status -eq 0 ] || echo "atspi-check: the AT-SPI check failed (exit $status)" >&2
exit $status
