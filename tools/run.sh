#!/usr/bin/env bash
# Sets up a fresh machine, builds the program and starts it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
bash "$top/tools/setup.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"
if [[ -x $build/app/mivora-pinyin ]]; then
  exec "$build/app/mivora-pinyin" "$@"
fi
# Until the window is built, show the conversion on an example.
cat > "$build/example.cpp" <<'CPP'
#include <iostream>
#include "GBKEncoding.h"
#include "IMCode.h"
int main() {
  std::cout << IMCode::GbkToUtf8(IMCode::TextToPinyin(IMCode::Utf8ToGbk("汉字转拼音"), 1, 255)) << "\n";
}
CPP
c++ -std=c++20 -I"$top/pinyin" "$build/example.cpp" "$build/pinyin/libimcode.a" -o "$build/example"
"$build/example"
