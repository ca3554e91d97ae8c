#!/usr/bin/env bash
# Renders the brand images in resources/ from their SVG sources, each at 1x
# and 2x (Name.png and Name@2x.png), and checks the pixel sizes. Needs
# rsvg-convert (Debian: librsvg2-bin; Homebrew: librsvg). Run it after
# changing an SVG and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")/../resources"

command -v rsvg-convert >/dev/null || {
  echo "render-assets: rsvg-convert is missing (librsvg2-bin)" >&2
  exit 1
}

# Name, width and height in points.
assets=(
  "PellimoreMark 22 17"
  "PellimoreMarkTemplate 19 15"
  "PellimoreWordmark 210 96"
)

# The width and height of a PNG, read from its IHDR chunk.
png_size() {
  od -An -j16 -N8 -tu1 "$1" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}

status=0
for asset in "${assets[@]}"; do
  read -r name width height <<<"$asset"
  for scale in 1 2; do
    suffix=""
    [ "$scale" -eq 2 ] && suffix="@2x"
    out="$name$suffix.png"
    w=$((width * scale))
    h=$((height * scale))
    rsvg-convert --width "$w" --height "$h" --format png --output "$out" "$name.svg"
    actual="$(png_size "$out")"
    if [ "$actual" != "$w $h" ]; then
      echo "render-assets: $out is $actual pixels, expected $w $h" >&2
      status=1
    else
      echo "$out: $w x $h"
    fi
  done
done
exit $status
