#!/bin/sh
# GNU parallel spreads the filter over all cores: its blocks end at line
# breaks, and the filter keeps no state between lines, so the output of
# `parallel --pipe -k --block 1M pinyin` is that of `pinyin` byte for byte.
# Usage: parallel_matches_serial.sh PATH-TO-PINYIN
set -eu
pinyin=$1
command -v parallel >/dev/null || { echo "GNU parallel is not installed" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# About 6 MB of lines of Chinese, ASCII, punctuation, CR LF and empty lines,
# the same every run; the last line has no line feed.
python3 - "$work/input.txt" <<'PY'
import random, sys
rng = random.Random(4)
common = [bytes([lead, trail]).decode("gbk")
          for lead in range(0xB0, 0xD8) for trail in range(0xA1, 0xFF)
          if (lead, trail) < (0xD7, 0xFA)]
extra = ["Hello", "42", ", ", "。", "！", " ", "ＡＢ", "①", "Θ", "😀", "\t"]
with open(sys.argv[1], "w", encoding="utf-8", newline="") as out:
    size = 0
    while size < 6_000_000:
        words = [rng.choice(common) if rng.random() < 0.7 else rng.choice(extra)
                 for _ in range(rng.randrange(0, 60))]
        line = "".join(words) + rng.choice(["\n", "\n", "\n", "\r\n"])
        size += len(line.encode("utf-8"))
        out.write(line)
    out.write("最后一行")
PY

"$pinyin" -u "$work/input.txt" >"$work/serial.txt"
parallel --pipe -k --block 1M "$pinyin" -u <"$work/input.txt" >"$work/parallel.txt"

lines_in=$(wc -l <"$work/input.txt")
lines_out=$(wc -l <"$work/serial.txt")
if [ "$lines_out" -ne $((lines_in + 1)) ]; then
  echo "pinyin gave $lines_out lines for $((lines_in + 1)) input lines" >&2
  exit 1
fi
if ! cmp "$work/serial.txt" "$work/parallel.txt"; then
  echo "parallel --pipe -k gave other output than pinyin alone" >&2
  exit 1
fi
echo "parallel --pipe -k --block 1M pinyin: same $lines_out lines as pinyin"
