#!/usr/bin/env bash
# The time from a key press or click to the next ad on the screen, for VantorraAds and for
# the image viewers installed beside it, on the same 2550 x 3300 scans in one run.
#
#   bench/latency/latency.sh [--presses N] [--display :N] [--viewers "vantorraads feh ..."]
#
# Builds the program and the probe in Release (build-rel/), writes the scans once with
# the media generator (build-rel/latency-media, each ad with a block of its own colour at
# its centre), starts its own Xvfb (1024 x 768, no window manager) and measures, through
# XTest input and one pixel of the root window read with XGetImage:
#   step   one press of the next-ad key, ads shown one at a time (median of N);
#   burst  five presses 40 ms apart: from the last press to the fifth ad (median of N);
#   jump   VantorraAds: a click on another year to its first ad; the viewers: Home to
#          the first scan (median of N).
# and the resident memory of each viewer after its steps. Installs what it needs (xvfb,
# libx11-dev, libxtst-dev and the program's packages); the viewers it compares with are
# measured when they are installed (feh, nsxiv, eog, gwenview).
set -euo pipefail

here=$(cd "$(dirname "$0")/../.." && pwd)
presses=9
display=:97
viewers="vantorraads feh nsxiv eog gwenview"
build="$here/build-rel"
while [ $# -gt 0 ]; do
    case "$1" in
        --presses) presses=$2; shift 2 ;;
        --display) display=$2; shift 2 ;;
        --viewers) viewers=$2; shift 2 ;;
        --build) build=$2; shift 2 ;;
        -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        *) echo "latency.sh: unknown argument '$1' (see --help)" >&2; exit 2 ;;
    esac
done

# What the program needs, and the X server and the headers of the probe.
# shellcheck source=../../scripts/common.sh
. "$here/scripts/common.sh"
vantorra_install_packages xvfb libx11-dev libxtst-dev

echo "Building in Release ($build)..."
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target vantorraads vantorra-mediagen latency-probe >/dev/null
probe="$build/bench/latency-probe"
[ -x "$probe" ] || { echo "latency.sh: the probe was not built (apt-get install libx11-dev libxtst-dev)" >&2; exit 1; }

media="$build/latency-media"
if [ ! -f "$media/centre-blocks.txt" ]; then
    echo "Writing the scans (once)..."
    rm -rf "$media"
    QT_QPA_PLATFORM=offscreen "$build/vantorra-mediagen" "$media" --ad-size 2550x3300 --centre-block >/dev/null
fi
declare -A colour
while read -r file rgb; do colour[$file]=$rgb; done < "$media/centre-blocks.txt"
# The viewers get the twenty scans of one year in a folder of their own.
scans="$build/latency-scans"
if [ ! -f "$scans/65VaVa19.jpg" ]; then
    rm -rf "$scans"; mkdir -p "$scans"
    for n in $(seq -w 0 19); do ln -f "$media/Ads/65VaVa$n.jpg" "$scans/65VaVa$n.jpg"; done
fi
steps=()   # the colours of the twenty scans in order
for n in $(seq -w 0 19); do steps+=("${colour[Ads/65VaVa$n.jpg]}"); done

work=$(mktemp -d)
xvfb_pid=
viewer_pid=
cleanup() {
    [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do "$probe" pixel 0,0 >/dev/null 2>&1 && break; sleep 0.1; done
"$probe" pixel 0,0 >/dev/null || { echo "latency.sh: Xvfb did not start on $display" >&2; exit 1; }

median() { tr ' ' '\n' | { grep -E '^[0-9.]+$' || true; } | sort -n | awk '{a[NR]=$1} END {if (NR) printf "%.1f", a[int((NR+1)/2)]; else printf "-"}'; }
lost() { tr ' ' '\n' | { grep -vcE '^[0-9.]+$|^$' || true; }; }
rss() { awk '/VmRSS/ {printf "%.0f", $2/1024}' "/proc/$1/status" 2>/dev/null || echo "-"; }
index_of() {  # the scan whose colour is on show at the point
    local shown; shown=$("$probe" pixel "$point")
    local best=0 bestd=999999 i
    for i in "${!steps[@]}"; do
        local c=${steps[$i]}
        local d=$(( (16#${c:0:2}-16#${shown:0:2})**2 + (16#${c:2:2}-16#${shown:2:2})**2 + (16#${c:4:2}-16#${shown:4:2})**2 ))
        [ "$d" -lt "$bestd" ] && { bestd=$d; best=$i; }
    done
    echo "$best"
}

# Steps, bursts and jumps on the viewer now on show at $point, showing scan $1; the next
# key $2, the jump key (empty: none) $3. Sets step_times, burst_times, jump_times.
measure_keys() {
    local at=$1 next=$2 jump=$3 i
    local actions=()
    for i in $(seq "$presses"); do at=$(( (at + 1) % 20 )); actions+=("=key:$next:${steps[$at]}"); done
    step_times=$("$probe" run "$point" 400 "${actions[@]}")
    burst_times=
    for i in $(seq "$presses"); do
        local colours=() k
        for k in 0 1 2 3 4 5; do colours+=("${steps[$(( (at + k) % 20 ))]}"); done
        local r; r=$("$probe" burst "$point" "$next" 40 "${colours[@]}")
        burst_times="$burst_times ${r// /_}"
        sleep 1
        at=$(index_of)
    done
    jump_times=
    if [ -n "$jump" ]; then
        actions=()
        for i in $(seq "$presses"); do
            actions+=("key:$next:${steps[1]}" "=key:$jump:${steps[0]}")
        done
        # From the first scan: one step on, then back to the first.
        "$probe" run "$point" 300 "key:$jump:${steps[0]}" >/dev/null || true
        jump_times=$("$probe" run "$point" 400 "${actions[@]}")
    fi
}

declare -A row_step row_burst row_jump row_rss row_note
measured=()

run_vantorraads() {
    local home="$work/home"; mkdir -p "$home/library" "$home/runtime"; chmod 700 "$home/runtime"
    HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=xcb \
        "$build/vantorraads" --media "$media" --library "$home/library" >"$work/vantorraads.log" 2>&1 &
    viewer_pid=$!
    # The splash first, then the main window (the larger one).
    local wx=0 wy=0 ww=0 wh=0
    for _ in $(seq 300); do
        read -r wx wy ww wh < <("$probe" window "Vantorra Ads" || echo "0 0 0 0")
        [ "$ww" -ge 700 ] && [ "$wh" -ge 500 ] && break
        sleep 0.1
    done
    # The controls at their design positions (twips / 15) below the menu bar, whose height
    # depends on the font: the make button Vantorra, then the year 1965; tried with the
    # likely heights until the year's first ad shows.
    local menu found=
    year_x() { local i=$(( $1 - 50 )); echo $(( wx + (360 + (i < 10 ? 480 : 2280)) / 15 + 48 )); }
    year_y() { local i=$(( $1 - 50 )); echo $(( wy + menu + (1725 + 120 + 480 * (i % 10)) / 15 + 16 )); }
    for menu in 19 20 18 21 22 17 23 24 25 26 16; do
        "$probe" click "$((wx + 60)),$((wy + menu + 40))"
        sleep 1
        "$probe" click "$(year_x 65),$(year_y 65)"
        if read -r px py < <("$probe" locate "${steps[0]}" 3000); then found=1; break; fi
    done
    [ -n "$found" ] || { echo "latency.sh: VantorraAds did not show 1965 (see $work/vantorraads.log)" >&2; exit 1; }
    point="$px,$py"
    # The read-ahead settles: the first ads of the make's years, the neighbours.
    sleep 2
    local rss_make; rss_make=$(rss "$viewer_pid")
    # Jumps: a click on another year, round the make's years.
    local years=(69 50 55 57 60 65) actions=() i y
    for i in $(seq "$presses"); do
        y=${years[$(( (i - 1) % 6 ))]}
        actions+=("=click:$(year_x "$y"),$(year_y "$y"):${colour[Ads/${y}VaVa00.jpg]}")
    done
    jump_times=$("$probe" run "$point" 600 "${actions[@]}")
    # 1965 again, its button focused for the keys.
    "$probe" run "$point" 1000 "click:$(year_x 65),$(year_y 65):${steps[0]}" >/dev/null
    local keep=$jump_times
    measure_keys 0 period ""
    jump_times=$keep
    sleep 1
    row_rss[vantorraads]="$(rss "$viewer_pid")"
    row_note[vantorraads]="RSS ${rss_make} MB with the make's years read ahead"
    kill "$viewer_pid"; wait "$viewer_pid" 2>/dev/null || true; viewer_pid=
}

run_viewer() {  # name, next key, command...
    local name=$1 next=$2; shift 2
    HOME=$work/home-$name XDG_CONFIG_HOME=$work/home-$name/config "$@" >"$work/$name.log" 2>&1 &
    viewer_pid=$!
    if ! read -r px py < <("$probe" locate "${steps[0]}"); then
        row_note[$name]="did not show the first scan"
        kill "$viewer_pid" 2>/dev/null || true; viewer_pid=; return
    fi
    point="$px,$py"
    # No window manager: a click gives the window the keyboard.
    "$probe" click "$point"
    sleep 1.5
    measure_keys "$(index_of)" "$next" Home
    row_rss[$name]=$(rss "$viewer_pid")
    kill "$viewer_pid" 2>/dev/null || true; wait "$viewer_pid" 2>/dev/null || true; viewer_pid=
}

record() {
    local name=$1
    row_step[$name]=$(echo "$step_times" | median)
    row_burst[$name]=$(echo "$burst_times" | median)
    row_jump[$name]=$(echo "$jump_times" | median)
    local dropped; dropped=$(echo "$burst_times" | tr ' ' '\n' | grep -c '^dropped' || true)
    if [ "$dropped" -gt 0 ]; then
        row_burst[$name]="drops presses"
        row_note[$name]="${row_note[$name]:+${row_note[$name]}; }dropped presses in $dropped of $presses bursts"
    fi
    [ "$(echo "$step_times" | lost)" -gt 0 ] && row_note[$name]="${row_note[$name]:+${row_note[$name]}; }$(echo "$step_times" | lost) steps never shown"
    [ -n "$jump_times" ] && [ "${row_jump[$name]}" = "-" ] && row_note[$name]="${row_note[$name]:+${row_note[$name]}; }Home does nothing"
    measured+=("$name")
    echo "  $name: step [$step_times] burst [$burst_times] jump [$jump_times]"
}

for v in $viewers; do
    case "$v" in
        vantorraads) echo "Measuring VantorraAds..."; run_vantorraads; record vantorraads ;;
        feh) command -v feh >/dev/null || continue; echo "Measuring feh..."
             run_viewer feh Right feh --scale-down -g 1024x768 "$scans"/*.jpg; record feh ;;
        nsxiv) command -v nsxiv >/dev/null || continue; echo "Measuring nsxiv..."
               run_viewer nsxiv n nsxiv -g 1024x768 "$scans"/*.jpg; record nsxiv ;;
        eog) command -v eog >/dev/null || continue; echo "Measuring eog..."
             run_viewer eog Right env GDK_BACKEND=x11 eog "$scans/65VaVa00.jpg"; record eog ;;
        gwenview) command -v gwenview >/dev/null || continue; echo "Measuring Gwenview..."
                  run_viewer gwenview Right env QT_QPA_PLATFORM=xcb gwenview "$scans/65VaVa00.jpg"; record gwenview ;;
        *) echo "latency.sh: unknown viewer '$v'" >&2 ;;
    esac
done

# The table, and the program's figures over the fastest of the others.
fastest() {  # column array name
    local -n col=$1; local best=
    for v in "${measured[@]}"; do
        [ "$v" = vantorraads ] && continue
        local x=${col[$v]}
        [[ "$x" =~ ^[0-9.]+$ ]] || continue
        if [ -z "$best" ] || awk "BEGIN {exit !($x < $best)}"; then best=$x; fi
    done
    echo "${best:--}"
}
ratio() { [[ "$1" =~ ^[0-9.]+$ && "$2" =~ ^[0-9.]+$ ]] && awk "BEGIN {printf \"%.2fx\", $1 / $2}" || echo "-"; }
echo
echo "Xvfb 1024 x 768, twenty 2550 x 3300 scans, medians of $presses, ms from the input to the ad's pixel on screen"
printf "%-12s %10s %16s %10s %8s\n" viewer step "5 at 40 ms" jump "RSS MB"
for v in "${measured[@]}"; do
    printf "%-12s %10s %16s %10s %8s\n" "$v" "${row_step[$v]}" "${row_burst[$v]}" "${row_jump[$v]}" "${row_rss[$v]:--}"
done
if [[ " ${measured[*]} " == *" vantorraads "* ]]; then
    printf "%-12s %10s %16s %10s\n" "ratio" \
        "$(ratio "${row_step[vantorraads]}" "$(fastest row_step)")" \
        "$(ratio "${row_burst[vantorraads]}" "$(fastest row_burst)")" \
        "$(ratio "${row_jump[vantorraads]}" "$(fastest row_jump)")"
    echo "(ratio: VantorraAds over the fastest of the others; targets: step 16 ms, 5 at 40 ms 60 ms, jump 20 ms)"
fi
for v in "${measured[@]}"; do
    [ -n "${row_note[$v]:-}" ] && echo "$v: ${row_note[$v]}"
done
exit 0
