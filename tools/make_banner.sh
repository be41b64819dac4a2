#!/bin/sh
# Draws resources/banner.jpg, the picture at the top of the window: a green
# strip fading to white, the mascot at the left and the wordmark beside it.
# Needs ImageMagick 6 and the DejaVu fonts (Debian: imagemagick,
# fonts-dejavu-core). The output is a baseline JFIF of 619 x 93 pixels with
# full-resolution colour (4:4:4) and no metadata, so a rerun with the same
# ImageMagick gives the same bytes.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/resources/banner.jpg"}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 100x100 xc:none -draw "$(cat "$root/resources/mascot.mvg")" \
  -resize 84x84 "$work/mascot.png"

convert -size 619x93 gradient:'#12883a'-white \
  "$work/mascot.png" -geometry +12+5 -composite \
  -font "$font" -pointsize 62 \
  -fill '#0b5a25' -annotate +113+64 'Mivora' \
  -fill white -annotate +110+61 'Mivora' \
  -strip -interlace none -sampling-factor 1x1,1x1,1x1 -quality 92 \
  "jpeg:$out"
