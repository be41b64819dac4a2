#!/bin/sh
# The committed banner and icons are what tools/make_banner.sh and
# tools/make_icons.sh draw: both scripts run into a scratch folder and every
# file must come out byte for byte the same. Skipped (exit 77) where
# ImageMagick or the DejaVu fonts are missing.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v convert >/dev/null ||
  [ ! -f /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ]; then
  echo "resources_reproducible: ImageMagick or fonts-dejavu-core missing, skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$root/tools/make_banner.sh" "$work/banner.jpg"
"$root/tools/make_icons.sh" "$work"
status=0
for file in banner.jpg mivora-pinyin.ico icons/mivora-pinyin-16.png \
  icons/mivora-pinyin-32.png icons/mivora-pinyin-48.png; do
  if ! cmp -s "$work/$file" "$root/resources/$file"; then
    echo "resources/$file differs from what the scripts draw now" >&2
    status=1
  fi
done
exit $status
