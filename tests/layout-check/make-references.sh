#!/usr/bin/env bash
# Remakes the layout check's documents and LibreOffice's word boxes of them.
#   docs/NAME.rtf   the RTF as the producer writes it, paper forced to US Letter with
#                   one-inch margins (\paperw12240\paperh15840\margl1440...)
#   refs/NAME.tsv   the words of LibreOffice's PDF of that RTF, with their boxes in points
# Needs: libreoffice-writer-nogui pandoc latex2rtf enscript poppler-utils fonts-liberation.
# The outputs are committed, so the check itself needs none of the producers.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home"   # a fresh LibreOffice profile, not the user's
mkdir -p "$HOME" docs refs
soffice=(soffice --headless --norestore)

rm -f docs/*.rtf refs/*.tsv

# US Letter, one-inch margins, in place of whatever page the producer wrote (or none).
letter() {
    python3 - "$1" <<'PY'
import re, sys
path = sys.argv[1]
data = open(path, 'rb').read()
data = re.sub(rb'\\(paperw|paperh|margl|margr|margt|margb)-?\d+ ?', b'', data)
page = b'\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440 '
# After the header's tables: before the first \pard (or \sectd) of the body.
m = re.search(rb'\\(sectd|pard)\b', data)
at = m.start() if m else len(data) - 1
open(path, 'wb').write(data[:at] + page + data[at:])
PY
}

# LibreOffice: lists, tab stops, spacing, page breaks, tables, a long document.
cp src/*.fodt "$tmp/"
sed -e 's|<style:header>.*</style:header>||' -e 's|<style:footer>.*</style:footer>||' \
    ../rtf-corpus/src/long.fodt > "$tmp/long.fodt"
"${soffice[@]}" --convert-to rtf --outdir "$tmp/lo" "$tmp"/*.fodt >/dev/null
for f in lists listnumbers tabs spacing breaks tables long; do
    cp "$tmp/lo/$f.rtf" "docs/libreoffice-$f.rtf"
done
# Numbers from the list table alone: the same document without its \listtext groups.
python3 - docs/libreoffice-listnumbers.rtf <<'PY'
import sys
path = sys.argv[1]
data = open(path, 'rb').read()
out, i = bytearray(), 0
while True:
    j = data.find(b'{\\listtext', i)
    if j < 0:
        break
    out += data[i:j]
    depth, k = 0, j
    while k < len(data):
        c = data[k:k + 1]
        if c == b'\\':
            k += 2
            continue
        depth += c == b'{'
        depth -= c == b'}'
        k += 1
        if depth == 0:
            break
    i = k
out += data[i:]
open(path, 'wb').write(bytes(out))
PY

# pandoc: lists from Markdown (its own RTF template, with the page and Liberation fonts).
pandoc -s src/lists.md --template=src/pandoc-letter.rtf -t rtf -o docs/pandoc-lists.rtf
# latex2rtf: a report with lists, a table and a page break.
cp src/report.tex "$tmp/" && (cd "$tmp" && latex2rtf -o report.rtf report.tex >/dev/null 2>&1)
cp "$tmp/report.rtf" docs/latex2rtf-report.rtf
# enscript: plain text.
enscript -q -B -w rtf -o docs/enscript-plain.rtf src/plain.txt
for f in docs/pandoc-lists.rtf docs/latex2rtf-report.rtf docs/enscript-plain.rtf; do
    letter "$f"
done

# LibreOffice's PDF of each RTF, and its words.
"${soffice[@]}" --convert-to pdf --outdir "$tmp/pdf" docs/*.rtf >/dev/null
for f in docs/*.rtf; do
    name=$(basename "${f%.rtf}")
    python3 compare.py words "$tmp/pdf/$name.pdf" > "refs/$name.tsv"
done
ls -l docs refs
