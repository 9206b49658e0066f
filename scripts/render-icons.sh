#!/usr/bin/env bash
# Renders the program's icon, packaging/icons/zetlogic.svg, into the PNG sizes
# the package installs (packaging/icons/zetlogic-N.png). Run after changing
# the drawing; the PNGs are kept in the repository so builds need no renderer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh librsvg2-bin
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" packaging/icons/zetlogic.svg -o "packaging/icons/zetlogic-$size.png"
done
