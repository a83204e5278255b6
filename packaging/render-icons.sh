#!/usr/bin/env bash
# Renders the PNG sizes of the program's icon from the hand-written SVG. The PNGs are kept
# in the source tree, so a build needs no SVG renderer; run this after changing the SVG.
# Needs rsvg-convert (Debian: librsvg2-bin) and the DejaVu fonts (fonts-dejavu-core).
set -euo pipefail
cd "$(dirname "$0")/icons"
id=example.tellwind.VantorraAds
for size in 48 256; do
    mkdir -p "$size"
    rsvg-convert --width "$size" --height "$size" "$id.svg" --output "$size/$id.png"
done
