#!/usr/bin/env bash
# Renders the icon's PNGs from qor.svg (needs rsvg-convert, Debian package librsvg2-bin). The PNGs
# are kept in the repository, so neither building nor running QOR needs an SVG renderer.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" qor.svg -o "icons/qor-$size.png"
done
