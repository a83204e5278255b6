#!/usr/bin/env bash
# Builds the RTF reader's two libFuzzer targets with clang against the system Qt and runs
# them, in one process each, seeded from the fidelity corpus and the regression files (the
# parser also from the document target's corpus):
#   fuzz_rtf_parse  the parser alone, into the reader's own model; inputs up to 4 KB
#   fuzz_rtf        the whole reader into a QTextDocument, laid out on pages; up to 64 KB
#   tests/fuzz/run-fuzz.sh [SECONDS] [extra libFuzzer options for both...]
# With two or more processors the two run side by side, each for SECONDS. On one processor
# they run one after the other, and RTF_FUZZ_PARSE_PERCENT is the parser's share of SECONDS
# (default 90; it runs about ten times as many inputs a second). Needs clang and
# libclang-rt-14-dev. Crashes land in tests/fuzz/out/, each target's log in build-fuzz/.
# Prints the executions of each target.
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-1800}
shift || true
percent=${RTF_FUZZ_PARSE_PERCENT:-90}
out=build-fuzz
mkdir -p "$out/corpus" "$out/corpus-parse" tests/fuzz/out
src=src/platform/rtf
flags=(-std=c++17 -g -O2 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Isrc $(pkg-config --cflags Qt6Gui))

build() {  # target "extra flags" sources...
    local target=$1 extra=$2
    shift 2
    if [ ! -x "$out/$target" ] || [ -n "$(find $src "tests/fuzz/$target.cpp" "$0" -newer "$out/$target")" ]; then
        echo "Building $target"
        clang++ "${flags[@]}" $extra -o "$out/$target" "tests/fuzz/$target.cpp" "$@" $(pkg-config --libs Qt6Gui) || exit 1
    fi
}
# The parser target is the one that runs many inputs: without comparison tracing (a call for
# every compare of every byte, a fifth of its time) it runs a fifth more of them. The
# document target keeps it, so that the mutations still learn the values the reader
# compares with, and its corpus seeds the parser's.
build fuzz_rtf_parse -fno-sanitize-coverage=trace-cmp $src/RtfParser.cpp $src/RtfCodePages.cpp
build fuzz_rtf "" $src/RtfParser.cpp $src/RtfReader.cpp $src/RtfCodePages.cpp

# Keywords the reader knows make a dictionary, so mutations reach them quickly.
grep -o '{"[a-zA-Z]*", {Kw' $src/RtfParser.cpp | sed 's/{"\([a-zA-Z]*\)".*/"\\\\\1"/' > "$out/rtf.dict"
printf '"{"\n"}"\n"\\\\'"'"'"\n"\\\\*"\n"{\\\\rtf1"\n' >> "$out/rtf.dict"
export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.gui.imageio*=false"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
common=(-rss_limit_mb=2048 -timeout=10 -dict="$out/rtf.dict" -artifact_prefix=tests/fuzz/out/
        -print_final_stats=1)

declare -A runs rates
status=0
readStats() {  # target: its executions and rate, from its log
    local log="$out/$1.log" n
    n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    [ -n "$n" ] || n=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
    runs[$1]=${n:-0}
    rates[$1]=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
}
fuzz() {  # target seconds max_len asan_options corpus seeds...
    local target=$1 time=$2 len=$3 asan=$4
    shift 4
    local log="$out/$target.log"
    echo "== $target: $time s, inputs up to $len bytes (log: $log)"
    ASAN_OPTIONS="${ASAN_OPTIONS:-$asan}" "$out/$target" -max_total_time="$time" -max_len="$len" \
        "${common[@]}" "${extra[@]}" "$@" > "$log" 2>&1
    local rc=$?
    grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::|ERROR|SUMMARY|^artifact_prefix|Test unit written' "$log"
    readStats "$target"
    if [ $rc -ne 0 ]; then
        echo "$target stopped with status $rc: see $log and tests/fuzz/out/"
        status=1
    fi
}
extra=("$@")
parseSeeds=("$out/corpus-parse" tests/rtf-corpus/ tests/rtf-regress/ "$out/corpus")
# Not seeded with the parser's corpus: its thousands of units would take this target's
# whole time just to be read once.
layoutSeeds=("$out/corpus" tests/rtf-corpus/ tests/rtf-regress/)
# Each input is parsed alone: a small quarantine still catches a use after free within it
# and keeps the allocator's memory warm.
parseAsan=detect_leaks=1:quarantine_size_mb=16
if [ "$(nproc)" -ge 2 ]; then
    # One processor each. The results come back through the logs, so the two are read
    # again once both have ended.
    fuzz fuzz_rtf_parse "$seconds" 4096 "$parseAsan" "${parseSeeds[@]}" > "$out/fuzz_rtf_parse.summary" &
    parsePid=$!
    RTF_FUZZ_LAYOUT=1 fuzz fuzz_rtf "$seconds" 65536 detect_leaks=1 "${layoutSeeds[@]}" > "$out/fuzz_rtf.summary" &
    layoutPid=$!
    wait $parsePid || status=1
    wait $layoutPid || status=1
    for t in fuzz_rtf_parse fuzz_rtf; do
        cat "$out/$t.summary"
        grep -q 'stopped with status' "$out/$t.summary" && status=1
        readStats "$t"
    done
else
    parseTime=$((seconds * percent / 100))
    fuzz fuzz_rtf_parse "$parseTime" 4096 "$parseAsan" "${parseSeeds[@]}"
    RTF_FUZZ_LAYOUT=1 fuzz fuzz_rtf "$((seconds - parseTime))" 65536 detect_leaks=1 "${layoutSeeds[@]}"
fi

total=0
for t in fuzz_rtf_parse fuzz_rtf; do
    echo "$t: ${runs[$t]} inputs, ${rates[$t]:-?} a second"
    total=$((total + runs[$t]))
done
echo "In all: $total inputs in $seconds s"
exit $status
