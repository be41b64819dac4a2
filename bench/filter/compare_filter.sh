#!/bin/bash
# Throughput of the filter `pinyin` against `cat` of the same file (the
# floor) and against the npm packages pinyin-pro and pinyin run by Node.js,
# on Debian's Chinese manual pages (zh_CN, simplified; zh_TW, traditional),
# and the filter's peak memory on 1 GB of input. Prints one table.
#
# Usage: bench/filter/compare_filter.sh [PATH-TO-PINYIN] [RUNS]
#   PATH-TO-PINYIN  the built filter (default: build/cli/pinyin)
#   RUNS            runs of each measure, the best counts (default: 5)
#
# Installs what only it needs: the Debian package manpages-zh (apt-get) and
# the two npm packages, into a temporary folder removed at the end. Needs
# node, npm, iconv and /usr/bin/time. A benchmark, not a test: nothing here
# is checked by CI.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
pinyin=$(realpath "${1:-$here/../../build/cli/pinyin}")
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

say() { printf '%s\n' "$*" >&2; }

if ! dpkg -s manpages-zh >/dev/null 2>&1; then
  say "installing manpages-zh"
  apt-get install -y -qq manpages-zh >/dev/null ||
    { apt-get update -qq && apt-get install -y -qq manpages-zh >/dev/null; }
fi
[ -x "$pinyin" ] || { say "no filter at $pinyin (give its path)"; exit 1; }
for tool in node npm iconv /usr/bin/time; do
  command -v "$tool" >/dev/null || { say "missing: $tool"; exit 1; }
done

say "installing pinyin-pro and pinyin from npm into $work/node"
npm install --prefix "$work/node" --no-audit --no-fund --silent \
  pinyin-pro pinyin >/dev/null
peer_versions=$(cd "$work/node" && node -p \
  'const l=require("./package-lock.json").packages;
   ["pinyin-pro","pinyin"].map(n=>n+" "+l["node_modules/"+n].version).join(", ")')

# The corpora: every page of one language, decompressed and concatenated, in
# UTF-8 as shipped and in GBK (iconv -c leaves out the few characters GBK
# lacks, and then exits with 1).
for lang in zh_CN zh_TW; do
  find "/usr/share/man/$lang" -name '*.gz' -print0 | sort -z |
    xargs -0 zcat >"$work/$lang.utf8"
  iconv -c -f UTF-8 -t GBK "$work/$lang.utf8" >"$work/$lang.gbk" || true
done

# Best wall time in seconds of RUNS runs of a command, output to /dev/null.
# The clock is bash's own, read without starting any process.
best_seconds() {
  local best=0 start end elapsed
  for ((run = 0; run < runs; ++run)); do
    start=${EPOCHREALTIME/[.,]/}
    "$@" >/dev/null
    end=${EPOCHREALTIME/[.,]/}
    elapsed=$((10#$end - 10#$start))
    if ((best == 0 || elapsed < best)); then best=$elapsed; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.6f", us / 1e6 }'
}

mb_per_s() {  # FILE SECONDS
  awk -v bytes="$(stat -c %s "$1")" -v s="$2" 'BEGIN { printf "%.1f", bytes / 1e6 / s }'
}

# MB/s of a command on FILE and on eight copies of FILE in one file, where
# the start of the process weighs less: "ONE EIGHT".
speeds() {  # FILE COMMAND...
  local file=$1
  shift
  echo "$(mb_per_s "$file" "$(best_seconds "$@" "$file")")" \
    "$(mb_per_s "$file.x8" "$(best_seconds "$@" "$file.x8")")"
}

rows=()
row() { rows+=("$(printf '%-6s %-26s %10s %10s' "$@")"); }

declare -A filter_utf8 cat_utf8 pro
for lang in zh_CN zh_TW; do
  say "measuring $lang"
  u=$work/$lang.utf8
  g=$work/$lang.gbk
  for f in "$u" "$g"; do
    for i in 1 2 3 4 5 6 7 8; do cat "$f"; done >"$f.x8"
  done
  read -r cat_u cat_u8 <<<"$(speeds "$u" cat)"
  read -r pin_u pin_u8 <<<"$(speeds "$u" "$pinyin")"
  read -r cat_g cat_g8 <<<"$(speeds "$g" cat)"
  read -r pin_g pin_g8 <<<"$(speeds "$g" "$pinyin" -e gbk)"
  cat_utf8[$lang]=$cat_u8
  filter_utf8[$lang]=$pin_u8
  pro[$lang]=$(node "$here/peers.mjs" "$work/node" pinyin-pro "$u" 5)
  other=$(node "$here/peers.mjs" "$work/node" pinyin "$u" 5)
  row "$lang" "cat (UTF-8)" "$cat_u" "$cat_u8"
  row "$lang" "pinyin (UTF-8)" "$pin_u" "$pin_u8"
  row "$lang" "cat (GBK)" "$cat_g" "$cat_g8"
  row "$lang" "pinyin -e gbk (GBK)" "$pin_g" "$pin_g8"
  row "$lang" "node pinyin-pro (UTF-8)" "${pro[$lang]}" "-"
  row "$lang" "node pinyin (UTF-8)" "$other" "-"
done

# Peak memory on 1 GB of UTF-8 lines, on the same as one text (-w), and on
# one single line of 1 GB; the input comes through a pipe, so it is never
# on disk.
say "measuring peak memory on 1 GB"
one_gb() {  # copies of the zh_CN pages, just over 1 GB
  local size times
  size=$(stat -c %s "$work/zh_CN.utf8")
  times=$(((1000000000 + size - 1) / size))
  for ((i = 0; i < times; ++i)); do cat "$work/zh_CN.utf8"; done
}
peak_kib() {  # ARGS... ; reads standard input
  /usr/bin/time -f '%M' -o "$work/time.txt" "$pinyin" "$@" >/dev/null
  cat "$work/time.txt"
}
rss_lines=$(one_gb | peak_kib)
rss_whole=$(one_gb | peak_kib -w)
rss_line=$(one_gb | tr -d '\n' | peak_kib)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
verdict() { if awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; then echo yes; else echo NO; fi; }

echo "Filter: $pinyin ($("$pinyin" --version))"
echo "Machine: $(nproc) cores, load average at the end $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Peers: $peer_versions, node $(node --version)"
echo "Corpora: zh_CN $(stat -c %s "$work/zh_CN.utf8") bytes UTF-8, $(stat -c %s "$work/zh_CN.gbk") GBK;" \
  "zh_TW $(stat -c %s "$work/zh_TW.utf8") bytes UTF-8, $(stat -c %s "$work/zh_TW.gbk") GBK"
echo "MB/s count the bytes of the input as given, best of $runs runs, on one copy of"
echo "the pages and on eight copies in one file. The peers' figure (best of 5 runs in"
echo "one process) is the conversion alone, without starting Node or reading the file."
echo "Ratios use the eight-copy figures."
echo
printf '%-6s %-26s %10s %10s\n' corpus tool "MB/s x1" "MB/s x8"
printf '%s\n' "${rows[@]}"
echo
printf '%-6s %-34s %10s\n' corpus ratio value
for lang in zh_CN zh_TW; do
  printf '%-6s %-34s %10s\n' "$lang" "pinyin (UTF-8) / cat" "$(ratio "${filter_utf8[$lang]}" "${cat_utf8[$lang]}")"
  printf '%-6s %-34s %10s\n' "$lang" "pinyin (UTF-8) / node pinyin-pro" "$(ratio "${filter_utf8[$lang]}" "${pro[$lang]}")"
done
echo
echo "Peak resident memory of pinyin on 1 GB of UTF-8 input:"
printf '  %-28s %8s KiB\n' "lines" "$rss_lines" "whole input (-w)" "$rss_whole" "one line of 1 GB" "$rss_line"
echo
echo "Targets (zh_CN):"
echo "  pinyin (UTF-8) >= 150 MB/s:             $(verdict "${filter_utf8[zh_CN]}" 150)"
echo "  pinyin (UTF-8) >= 100 x pinyin-pro:     $(verdict "$(ratio "${filter_utf8[zh_CN]}" "${pro[zh_CN]}")" 100)"
max_rss=$(printf '%s\n' "$rss_lines" "$rss_whole" "$rss_line" | sort -n | tail -1)
echo "  peak memory on 1 GB < 16 MiB:           $(verdict $((16384 - 1)) "$max_rss")"
