#!/usr/bin/env bash
# Builds the whole project, window included, with AddressSanitizer and
# UndefinedBehaviorSanitizer (-DSANITIZE=ON) and runs the whole test suite.
# Passes only with zero sanitizer reports: the runtimes write every report to
# a log file, so that a report in a child process (the filter run by a test
# that expects it to fail) cannot hide behind an expected exit status.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${SANITIZE_BUILD_DIR:-$top/build-asan}

bash "$top/tools/setup.sh"
cmake -S "$top" -B "$build" -DSANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMIVORA_BUILD_APP=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

reports=$build/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
chmod 1777 "$reports"  # children run as an unprivileged user report here too
# A distinct exit status as well, for reports that go to a test's own output.
export ASAN_OPTIONS="log_path=$reports/asan:exitcode=86:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="log_path=$reports/ubsan:exitcode=86:print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

status=0
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" || status=$?

shopt -s nullglob
logs=("$reports"/*)
if ((${#logs[@]})); then
  echo "sanitize: ${#logs[@]} sanitizer report(s):"
  for log in "${logs[@]}"; do
    echo "--- $log"
    head -60 "$log"
  done
  status=1
fi
exit "$status"
