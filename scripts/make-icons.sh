#!/usr/bin/env bash
# Makes the explorer's icons (data/icons) from a frame of the universe: the
# snapshot tool renders the galaxy at a bright nebula, ImageMagick cuts out
# the 128 × 128 square around the explorer: doubled, pixel for pixel, for the
# 256 × 256 icon; averaged down to 64 × 64, where the glyphs blend into colour.
# Run it only when the icon is meant to change, and look at both PNGs.
set -euo pipefail
cd "$(dirname "$0")/.."
snapshot=${1:-build/dev/bin/glyphverse-snapshot}
[[ -x "$snapshot" ]] || { echo "make-icons: build $snapshot first (make build)" >&2; exit 1; }
command -v convert >/dev/null || { echo "make-icons: needs ImageMagick (scripts/install-deps.sh test)" >&2; exit 1; }

frame=$(mktemp --suffix=.png)
trap 'rm -f "$frame"' EXIT
"$snapshot" --start 1100,2100 --script "wait 30" --out "$frame" >/dev/null

# The explorer's cell is centred at (296, 296) of the 600 × 600 frame.
mkdir -p data/icons
square=(-crop 128x128+232+232 +repage)
convert "$frame" "${square[@]}" -scale 200% -strip data/icons/glyphverse-256.png
convert "$frame" "${square[@]}" -filter box -resize 64x64 -strip data/icons/glyphverse-64.png
echo "wrote data/icons/glyphverse-256.png and data/icons/glyphverse-64.png"
