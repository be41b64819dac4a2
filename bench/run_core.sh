#!/usr/bin/env bash
# Builds the core benchmark and runs it on the Chinese manual pages of
# Debian's manpages-zh (zh_CN and zh_TW), concatenated and converted to GBK.
# Usage: bench/run_core.sh [extra Google Benchmark flags]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build-bench}

need=()
for pkg in manpages-zh libbenchmark-dev cmake g++; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"
fi

corpus=$build/corpus.gbk
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMIVORA_BUILD_BENCH=ON \
  -DMIVORA_BUILD_TESTS=OFF -DMIVORA_BUILD_APP=OFF >/dev/null
cmake --build "$build" -j2 --target bench_core >/dev/null
if [[ ! -s $corpus ]]; then
  # Characters that GBK lacks are dropped (-c): the corpus is for speed only.
  find /usr/share/man/zh_CN /usr/share/man/zh_TW -name '*.gz' -print0 | sort -z |
    xargs -0 zcat | iconv -c -f UTF-8 -t GBK >"$corpus"
fi
echo "corpus: $(stat -c %s "$corpus") bytes of GBK from manpages-zh"
MIVORA_CORPUS_GBK=$corpus "$build/bench/bench_core" "$@"
