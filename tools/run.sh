#!/usr/bin/env bash
# Sets up a fresh machine, builds the program and starts the window.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
bash "$top/tools/setup.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"
exec "$build/app/mivora-pinyin"
