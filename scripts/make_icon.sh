#!/usr/bin/env bash
# Makes app/res/linsift.ico from the drawing app/res/linsift.mvg with Debian's tools
# (ImageMagick renders each size, icotool packs them). The .ico is kept in the tree, so a build
# needs neither; run this after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=(16 20 24 32 40 48 64 256)
pngs=()
for size in "${sizes[@]}"; do
  convert -background none MVG:app/res/linsift.mvg -resize "${size}x${size}" \
    -define png:exclude-chunks=date,time "PNG32:$work/$size.png"
  pngs+=("$work/$size.png")
done
# The 256 px image stays PNG inside the .ico (-r), as Windows expects; the others are bitmaps.
icotool -c -o app/res/linsift.ico "${pngs[@]:0:7}" -r "${pngs[7]}"
echo "make_icon: app/res/linsift.ico"
