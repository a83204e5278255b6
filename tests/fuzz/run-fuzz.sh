#!/usr/bin/env bash
# Builds the RTF reader's libFuzzer target with clang against the system Qt and runs it,
# seeded from the fidelity corpus and the regression files.
#   tests/fuzz/run-fuzz.sh [SECONDS] [extra libFuzzer options...]
# Needs clang and libclang-rt-14-dev. Crashes land in tests/fuzz/out/.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-1800}
shift || true
out=build-fuzz
mkdir -p "$out/corpus" tests/fuzz/out
src=src/platform/rtf
flags=(-std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Isrc $(pkg-config --cflags Qt6Gui))
if [ ! -x "$out/fuzz_rtf" ] || [ -n "$(find $src tests/fuzz/fuzz_rtf.cpp -newer "$out/fuzz_rtf")" ]; then
    clang++ "${flags[@]}" -o "$out/fuzz_rtf" tests/fuzz/fuzz_rtf.cpp \
        $src/RtfParser.cpp $src/RtfReader.cpp $src/RtfCodePages.cpp $(pkg-config --libs Qt6Gui)
fi
# Keywords the reader knows make a dictionary, so mutations reach them quickly.
grep -o '{"[a-zA-Z]*", {Kw' $src/RtfParser.cpp | sed 's/{"\([a-zA-Z]*\)".*/"\\\\\1"/' > "$out/rtf.dict"
printf '"{"\n"}"\n"\\\\'"'"'"\n"\\\\*"\n"{\\\\rtf1"\n' >> "$out/rtf.dict"
export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.gui.imageio*=false"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
"$out/fuzz_rtf" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -max_len=65536 -dict="$out/rtf.dict" -artifact_prefix=tests/fuzz/out/ -print_final_stats=1 "$@" \
    "$out/corpus" tests/rtf-corpus/ tests/rtf-regress/
