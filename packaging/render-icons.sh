#!/usr/bin/env bash
# Renders the hicolor PNG icons from corvalisto.svg; run after changing the drawing
# (needs rsvg-convert, Debian's librsvg2-bin) and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" corvalisto.svg -o "icons/corvalisto-$size.png"
done
