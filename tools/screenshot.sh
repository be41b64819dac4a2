#!/bin/sh
# Saves a picture of the window as it looks after one press of its button:
# starts mivora-pinyin on a virtual X display (xvfb-run), clicks "翻译成拼音"
# and captures the window's client area into a PNG (docs/screenshot.png by
# default). There is no window manager on that display, so the picture has
# no frame or caption bar.
#
#   tools/screenshot.sh [OUTPUT.png]
#
# MIVORA_APP names the program to start (default build-app/app/mivora-pinyin,
# then build/app/mivora-pinyin). Needs xvfb, xauth, xdotool and imagemagick.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/docs/screenshot.png"}

if [ "${MIVORA_SCREENSHOT_INSIDE:-}" != 1 ]; then
  app=${MIVORA_APP:-}
  if [ -z "$app" ]; then
    for candidate in "$root/build-app/app/mivora-pinyin" "$root/build/app/mivora-pinyin"; do
      if [ -x "$candidate" ]; then app=$candidate; break; fi
    done
  fi
  if [ -z "$app" ] || [ ! -x "$app" ]; then
    echo "screenshot.sh: build mivora-pinyin first or name it in MIVORA_APP" >&2
    exit 1
  fi
  mkdir -p "$(dirname "$out")"
  MIVORA_APP=$app MIVORA_SCREENSHOT_INSIDE=1 exec xvfb-run -a \
    -s "-screen 0 800x640x24 -dpi 96" sh "$0" "$out"
fi

# From here on we run on the virtual display.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
"$MIVORA_APP" &
app_pid=$!
trap 'kill "$app_pid" 2>/dev/null || true' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Mivora' | head -n 1)
# The window's client area: the button sits at 16..184 x 494..550.
xdotool mousemove --window "$window" 100 522 click 1
# Give the window a moment to repaint after the click and the pointer move.
xdotool mousemove --window "$window" 560 560 sleep 1
import -window "$window" -strip -define png:exclude-chunks=date,time "png:$out"
echo "screenshot.sh: wrote $out"
