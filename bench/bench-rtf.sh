#!/usr/bin/env bash
# RTF reader speed and memory, whole processes, all figures measured in this one run:
#  - an 8 MB document (40,000 paragraphs with bold, italic, colour, \uN and \'hh):
#    rtfdump against unrtf --text on the same file (target: rtfdump <= 0.5x unrtf);
#  - a 15-page document (target: under 50 ms);
#  - a document 10x longer than another takes at most 12x as long;
#  - peak memory (maxrss) grows no faster than the document.
# Uses rtfdump and bench_rtf of a Release build in BUILD_DIR (default build-rel); where they
# are not built, compiles just them and the reader (it needs nothing else of the program)
# with the Release flags into BUILD_DIR/rtf-bench. Needs unrtf and /usr/bin/time.
#   bench/bench-rtf.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-rel}
rtfdump=$build/rtfdump
bench=$build/bench/bench_rtf
if [ ! -x "$rtfdump" ] || [ ! -x "$bench" ]; then
    mkdir -p "$build/rtf-bench"
    flags=(-O3 -DNDEBUG -std=c++17 -fPIC -Isrc $(pkg-config --cflags Qt6Gui))
    libs=$(pkg-config --libs Qt6Gui)
    g++ "${flags[@]}" -c src/platform/rtf/RtfParser.cpp -o "$build/rtf-bench/RtfParser.o"
    g++ "${flags[@]}" -c src/platform/rtf/RtfReader.cpp -o "$build/rtf-bench/RtfReader.o"
    g++ "${flags[@]}" -c src/platform/rtf/RtfCodePages.cpp -o "$build/rtf-bench/RtfCodePages.o"
    objs=("$build"/rtf-bench/Rtf*.o)
    g++ "${flags[@]}" -o "$build/rtf-bench/rtfdump" tools/rtfdump/main.cpp "${objs[@]}" $libs
    g++ "${flags[@]}" -o "$build/rtf-bench/bench_rtf" bench/bench_rtf.cpp "${objs[@]}" $libs
    rtfdump=$build/rtf-bench/rtfdump
    bench=$build/rtf-bench/bench_rtf
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# make_doc PARAGRAPHS FILE
make_doc() {
    python3 - "$1" "$2" <<'PY'
import sys
n, path = int(sys.argv[1]), sys.argv[2]
out = [r"{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss Arial;}}"
       r"{\colortbl;\red200\green0\blue0;\red0\green0\blue160;}" "\n"]
for i in range(n):
    out.append(r"\pard\sa120 Paragraph %d of the dealer catalogue: {\b bold chrome trim} and {\i italic fins}, "
               r"{\cf1 red paint} {\cf2 blue seats}, caf\'e9 cr\'e8me \u8364? \u8220?quoted\u8221? prices "
               r"for the {\b\i 1957} season.\par" % i + "\n")
out.append("}\n")
open(path, "w").write("".join(out))
PY
}

# run_best CMD...: the best of three runs as "seconds maxrss_kb".
run_best() {
    local best="" t m
    for _ in 1 2 3; do
        /usr/bin/time -f "%e %M" -o "$tmp/time" "$@" >/dev/null 2>"$tmp/err" || { cat "$tmp/err" >&2; return 1; }
        read -r t m <"$tmp/time"
        if [ -z "$best" ] || awk -v a="$t" -v b="${best% *}" 'BEGIN{exit !(a<b)}'; then best="$t $m"; fi
    done
    echo "$best"
}

make_doc 40000 "$tmp/big.rtf"
make_doc 4000 "$tmp/tenth.rtf"
make_doc 260 "$tmp/fifteen-pages.rtf"
big_mb=$(awk -v s="$(stat -c %s "$tmp/big.rtf")" 'BEGIN{printf "%.1f", s/1048576}')

read -r ours_t ours_m < <(run_best "$rtfdump" "$tmp/big.rtf")
read -r unrtf_t unrtf_m < <(run_best unrtf --text "$tmp/big.rtf")
read -r tenth_t tenth_m < <(run_best "$rtfdump" "$tmp/tenth.rtf")
read -r small_t small_m < <(run_best "$rtfdump" "$tmp/fifteen-pages.rtf")

inproc=$(QT_QPA_PLATFORM=offscreen "$bench" "$tmp/fifteen-pages.rtf" "$tmp/tenth.rtf" "$tmp/big.rtf" 2>/dev/null)
pages=$(echo "$inproc" | head -1 | sed 's/.* \([0-9]*\) pages.*/\1/')
echo "Document: $big_mb MB, 40,000 paragraphs"
printf "rtfdump          %6.2f s  %7d KB peak\n" "$ours_t" "$ours_m"
printf "unrtf --text     %6.2f s  %7d KB peak\n" "$unrtf_t" "$unrtf_m"
awk -v a="$ours_t" -v b="$unrtf_t" 'BEGIN{printf "ratio rtfdump/unrtf: %.2f (target <= 0.5)\n", a/b}'
printf "%d-page document (260 paragraphs): %.0f ms whole process (target < 50 ms)\n" "$pages" "$(awk -v t="$small_t" 'BEGIN{print t*1000}')"
echo "In process (rtf::read, then layout on US Letter):"
echo "$inproc" | sed "s#$tmp/##; s/^/  /"
printf "4,000 paragraphs: %.2f s %d KB; 40,000: %.2f s %d KB\n" "$tenth_t" "$tenth_m" "$ours_t" "$ours_m"
awk -v a="$ours_t" -v b="$tenth_t" 'BEGIN{printf "time ratio 10x document: %.1fx (target <= 12x)\n", a/(b>0.005?b:0.005)}'
awk -v a="$ours_m" -v b="$tenth_m" -v s="$small_m" 'BEGIN{printf "memory ratio 10x document: %.1fx (above a %d KB base: %.1fx)\n", a/b, s, (a-s)/((b-s)>1?(b-s):1)}'
