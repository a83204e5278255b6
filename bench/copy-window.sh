#!/bin/bash
# "Copy Ads" in the real window against `cp -r` of the same folder, end to end: from the
# click on "Copy Ads" to the message that says it is done, the source cold before every run.
# cp and the program take turns (which goes first alternates), so that a machine whose speed
# drifts treats both alike; each pair's ratio is printed, and their median.
#
#   bench/copy-window.sh [BUILD_DIR] [RUNS] [MEGABYTES]
#
# BUILD_DIR holds vantorraads and vantorra-mediagen (default build-rel, a Release build).
# Needs Xvfb and xdotool; DISPLAY_NUMBER (default 13) is the Xvfb display it starts and
# stops; WORK (default a folder under TMPDIR or /var/tmp) must be on a disk, not in memory,
# with room for three copies of the ads. The page cache is dropped with
# /proc/sys/vm/drop_caches where that is allowed (root, outside a container), otherwise
# file by file (dd iflag=nocache).
set -eu

build=${1:-build-rel}
runs=${2:-5}
megabytes=${3:-300}
display=:${DISPLAY_NUMBER:-13}
work=${WORK:-$(mktemp -d "${TMPDIR:-/var/tmp}/vantorra-copy-window.XXXXXX")}
media=$work/media
library=$work/library
title="Vantorra Ads of the 50's & 60's"

for tool in Xvfb xdotool; do
    command -v $tool >/dev/null || { echo "$tool is needed (Debian package ${tool%vfb}${tool#X})" >&2; exit 2; }
done
[ -x "$build/vantorraads" ] || { echo "No $build/vantorraads: build it first (Release)." >&2; exit 2; }

now_ms() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }

cold() {
    sync
    if ! { echo 3 > /proc/sys/vm/drop_caches; } 2>/dev/null; then
        for f in "$media"/ads/*; do dd if="$f" iflag=nocache count=0 status=none; done
    fi
}

# A media folder: the sample's graphics and documents, and ads of 2 to 4 MB of random bytes.
if [ ! -d "$media/ads" ]; then
    echo "Writing $megabytes MB of ads into $media ..."
    "$build/vantorra-mediagen" "$media" --ad-size 64x80 >/dev/null
    rm -rf "$media"/ads "$media"/Ads "$media"/ADS
    mkdir -p "$media/ads"
    left=$((megabytes * 1000000)) n=0
    while [ $left -gt 0 ]; do
        size=$((2000000 + $(od -An -N2 -tu2 /dev/urandom) * 30)) # 2.0 to 3.97 MB
        [ $size -gt $left ] && size=$left
        name=$(printf '%02dVaSo%02d.jpg' $((50 + n / 20)) $((n % 20)))
        head -c $size /dev/urandom > "$media/ads/$name"
        left=$((left - size)) n=$((n + 1))
    done
    sync
fi
files=$(ls "$media/ads" | wc -l)
bytes=$(du -sb "$media/ads" | cut -f1)

Xvfb $display -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
program=
cleanup() {
    [ -n "$program" ] && kill $program 2>/dev/null || true
    kill $xvfb 2>/dev/null || true
}
trap cleanup EXIT INT TERM
export DISPLAY=$display
sleep 1

mkdir -p "$library" "$work/runtime"
chmod 700 "$work/runtime"
# Settings and the one-instance lock of its own: another copy of the program running on the
# machine does not count.
XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime "$build/vantorraads" --media "$media" --library "$library" >/dev/null 2>&1 &
program=$!
# The splash window (of the same title) gives way to the main window after six seconds.
sleep 8
main=
for _ in $(seq 100); do
    main=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -1) || true
    [ -n "$main" ] && break
    sleep 0.2
done
[ -n "$main" ] || { echo "The main window did not come up." >&2; exit 1; }
sleep 1

# The "Copy Ads" button: the panel is centred on the 1024 x 768 screen, (269, 212) in the
# client area below the menu bar (MENU_BAR_HEIGHT pixels), kept inside it; the button's
# centre is at (132, 304) in the panel.
eval "$(xdotool getwindowgeometry --shell "$main")"
menu_bar=${MENU_BAR_HEIGHT:-22}
panel_x=$((WIDTH - 486 < 269 ? WIDTH - 486 : 269))
panel_y=$((HEIGHT - menu_bar - 345 < 212 ? HEIGHT - menu_bar - 345 : 212))
button_x=$((X + panel_x + 132))
button_y=$((Y + menu_bar + panel_y + 304))

# A pipe nobody writes to: reading it with a timeout is a sleep inside the shell.
rm -f "$work/silence"; mkfifo "$work/silence"
exec 9<>"$work/silence"

windows() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | wc -l; }

run_cp() {
    rm -rf "$work/cp"
    cold
    t0=$(now_ms)
    cp -r "$media/ads" "$work/cp"
    t1=$(now_ms)
    cp_ms=$((t1 - t0))
    # The same for cp's copies, timed on its own: the baseline of a copy that survives a
    # power loss (the program puts its copies on the disk after its message).
    sync "$work"/cp/* "$work/cp"
    t2=$(now_ms)
    cp_sync_ms=$((t2 - t0))
}

run_program() {
    rm -rf "$library/ads"
    cold
    xdotool windowfocus --sync "$main"
    # File menu, "Copy CD-ROM Ads from CD": the panel comes up (not timed).
    xdotool key --clearmodifiers alt+f
    sleep 0.3
    xdotool key c
    sleep 0.5
    before=$(windows)
    xdotool mousemove $button_x $button_y
    t0=$(now_ms)
    xdotool click 1
    # Waiting costs little, so as not to slow the program on a busy machine: the message
    # window is looked for every 5 ms (read -t on a pipe that stays silent sleeps without a
    # process; the search itself is one short X client).
    until [ "$(windows)" -gt "$before" ]; do read -r -t 0.005 -u 9 || true; done
    t1=$(now_ms)
    program_ms=$((t1 - t0))
    # The message: OK. Then the copies are put on the disk and the completion mark written;
    # that is looked for with the shell's own test every millisecond.
    sleep 0.2
    t2=$(now_ms)
    xdotool key Return
    until [ -e "$library/ads/.copy-complete" ]; do read -r -t 0.001 -u 9 || true; done
    t3=$(now_ms)
    mark_ms=$((t3 - t2))
    sleep 0.5
    copied=$(ls "$library/ads" | wc -l)
    [ "$copied" -eq "$files" ] || { echo "The program copied $copied of $files files." >&2; exit 1; }
}

echo "$files files, $bytes bytes; source cold before every run; load average $(cut -d' ' -f1 /proc/loadavg)"
ratios= synced_ratios=
for run in $(seq $runs); do
    if [ $((run % 2)) -eq 1 ]; then run_cp; run_program; else run_program; run_cp; fi
    ratio=$(awk "BEGIN { printf \"%.2f\", $program_ms / $cp_ms }")
    # The program's own time until its copies are on the disk: to the message, and from OK on.
    synced_ratio=$(awk "BEGIN { printf \"%.2f\", ($program_ms + $mark_ms) / $cp_sync_ms }")
    ratios="$ratios $ratio" synced_ratios="$synced_ratios $synced_ratio"
    echo "run $run: cp -r $cp_ms ms (with its copies synced $cp_sync_ms ms), Copy Ads $program_ms ms" \
        "to the message and $mark_ms ms from OK to the mark; ratios $ratio / $synced_ratio"
done
median() { echo $1 | tr ' ' '\n' | sort -n | sed -n "$(( (runs + 1) / 2 ))p"; }
echo "median ratio Copy Ads / cp -r: $(median "$ratios")   (target <= 1.3)"
echo "median ratio Copy Ads to the disk (to the message, and from OK to the mark) / cp -r with its copies synced: $(median "$synced_ratios")"
echo "load average at the end $(cut -d' ' -f1 /proc/loadavg)"
rm -rf "$work/cp" "$library/ads" "$work/silence"
