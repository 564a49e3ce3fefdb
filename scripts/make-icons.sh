#!/usr/bin/env bash
# Renders the program icon into the PNG sizes a Linux desktop looks for
# (resources/icons/hicolor/<n>x<n>/apps/torepal.png). The program embeds the
# same PNGs (resources/torepal.qrc), so its window icon needs no SVG support
# at run time.
# The 16-pixel icon comes from its own drawing on the pixel grid; every
# other size is the large drawing scaled. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"

command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: bash scripts/setup.sh" >&2; exit 1; }

render() {  # source size target
  mkdir -p "$(dirname "$3")"
  rsvg-convert --width "$2" --height "$2" --format png "$1" --output "$3.tmp"
  mv "$3.tmp" "$3"
}

for size in 16 24 32 48 64 128 256; do
  source=torepal.svg
  [ "$size" -eq 16 ] && source=torepal-16.svg
  render "$source" "$size" "hicolor/${size}x${size}/apps/torepal.png"
done
