#!/usr/bin/env bash
# Writes the RTF fidelity corpus with the real producers in Debian, from the source documents
# in src/, and the reference text of each file with LibreOffice's own plain-text export.
#   PRODUCER-NAME.rtf   the RTF as the producer writes it
#   PRODUCER-NAME.txt   LibreOffice's plain text of that RTF (UTF-8)
#   PRODUCER-NAME.pages LibreOffice's page count of that RTF (long documents only)
# Needs: pandoc libreoffice-writer-nogui latex2rtf enscript poppler-utils.
# The outputs are committed, so the tests need none of these.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home"   # a fresh LibreOffice profile, not the user's
mkdir -p "$HOME"
soffice=(soffice --headless --norestore)

rm -f ./*.rtf ./*.txt ./*.pages

pandoc -s src/features.md -t rtf -o pandoc-features.rtf
cp src/report.tex "$tmp/" && (cd "$tmp" && latex2rtf -o report.rtf report.tex >/dev/null 2>&1) \
    && cp "$tmp/report.rtf" latex2rtf-report.rtf
enscript -q -B -w rtf -o enscript-plain.rtf src/plain.txt

"${soffice[@]}" --convert-to rtf --outdir "$tmp/lo" src/features.fodt src/long.fodt >/dev/null
"${soffice[@]}" --infilter="HTML (StarWriter)" --convert-to rtf --outdir "$tmp/lo" src/layout.html >/dev/null
for f in features long layout; do
    cp "$tmp/lo/$f.rtf" "libreoffice-$f.rtf"
done

# Reference text: LibreOffice reading each RTF and writing plain text.
"${soffice[@]}" --convert-to "txt:Text (encoded):UTF8" --outdir "$tmp/txt" ./*.rtf >/dev/null
for f in ./*.rtf; do
    cp "$tmp/txt/$(basename "${f%.rtf}").txt" "${f%.rtf}.txt"
done

# Page count of the long document as LibreOffice lays it out (US Letter, one-inch margins).
"${soffice[@]}" --convert-to pdf --outdir "$tmp/pdf" libreoffice-long.rtf >/dev/null
pdfinfo "$tmp/pdf/libreoffice-long.pdf" | awk '/^Pages:/ {print $2}' > libreoffice-long.pages

ls -l ./*.rtf ./*.txt ./*.pages
