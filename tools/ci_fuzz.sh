#!/usr/bin/env bash
# Builds the libFuzzer targets of the core (clang, -DFUZZ=ON) and runs each
# for FUZZ_SECONDS (default 60) on a copy of its committed seed corpus, so the
# inputs the fuzzer adds stay out of the repository. Any finding fails: the
# input is kept under the build folder's fuzz-findings/ and printed in base64,
# to be added to fuzz/corpus/<target>/ as a regression case once fixed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$top/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
targets=(text_to_pinyin_fuzzer stream_split_fuzzer encoding_round_trip_fuzzer)

# clang's libFuzzer and sanitizer runtimes, besides what the project needs.
bash "$top/tools/setup.sh" clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DFUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMIVORA_BUILD_APP=OFF -DMIVORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

findings=$build/fuzz-findings
rm -rf "$findings"
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
for target in "${targets[@]}"; do
  corpus=$work/$target
  mkdir -p "$corpus"
  cp "$top/fuzz/corpus/$target/"* "$corpus/"
  log=$findings/$target.log
  echo "fuzz: $target for ${seconds}s on $(ls "$corpus" | wc -l) seeds"
  # -timeout: an input that takes seconds is a finding too (the core is one
  # pass over at most 4 KiB here).
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$findings/$target-" "$corpus" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done' "$log" | tail -1
    passed=$((passed + 1))
  else
    echo "fuzz: $target FAILED; its log ends:"
    grep -v -E '^(#[0-9]|INFO:)' "$log" | tail -30
    for input in "$findings/$target-"*; do
      [[ -f $input ]] || continue
      echo "reproducer $input: $(base64 -w0 "$input")"
    done
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
((failed == 0))
