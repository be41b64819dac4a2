#!/bin/sh
# Draws the program icon from resources/mascot.mvg: the PNGs the window and
# the desktop entry use (16, 32 and 48 pixels) and, for the Windows build,
# resources/mivora-pinyin.ico with each size in 16 colours, 256 colours and
# 32-bit colour with alpha. Needs ImageMagick 6 (Debian: imagemagick). The
# PNGs carry no time stamps, so a rerun gives the same bytes.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/resources"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out/icons"

convert -size 480x480 xc:none -draw "scale 4.8,4.8 $(cat "$root/resources/mascot.mvg")" \
  "$work/master.png"

for size in 48 32 16; do
  convert "$work/master.png" -filter Lanczos -resize ${size}x${size} \
    -strip -define png:exclude-chunks=date,time \
    "png32:$out/icons/mivora-pinyin-$size.png"
done

# Each size as 16 colours, 256 colours and 32-bit colour with alpha. The
# palette forms keep fully opaque or fully clear pixels only: the icon's mask
# carries their transparency.
palette() {
  echo "(" "$out/icons/mivora-pinyin-$1.png" -channel A -threshold 50% +channel \
    +dither -colors "$2" ")"
}
# shellcheck disable=SC2046 # each palette form is meant to split into words
convert $(palette 48 15) $(palette 48 255) "$out/icons/mivora-pinyin-48.png" \
  $(palette 32 15) $(palette 32 255) "$out/icons/mivora-pinyin-32.png" \
  $(palette 16 15) $(palette 16 255) "$out/icons/mivora-pinyin-16.png" \
  "$out/mivora-pinyin.ico"
