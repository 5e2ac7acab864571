#!/bin/sh
# Renders the window icon from its SVG source. Needs rsvg-convert (librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for size in 16 32 48; do
    rsvg-convert -w "$size" -h "$size" -o "quellan-$size.png" quellan.svg
done
