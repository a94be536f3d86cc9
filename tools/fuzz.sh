#!/usr/bin/env bash
# Runs every libFuzzer harness of tests/fuzz (built by tools/sanitize.sh in
# build-asan/ or $VM24_ASAN_BUILD_DIR) on its committed seeds.
#   bash tools/fuzz.sh          each harness for a fixed number of runs
#                               ($VM24_FUZZ_RUNS, default 3000), as CI does
#   bash tools/fuzz.sh SECONDS  each harness for SECONDS seconds
# New inputs go to a scratch corpus, never into the seeds; a crashing input
# is kept as build-asan/fuzz/crash-* and fails the run. The last lines of each
# run (executions, coverage) are printed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VM24_ASAN_BUILD_DIR:-$root/build-asan}"
limit=(-runs="${VM24_FUZZ_RUNS:-3000}")
if [ $# -gt 0 ]; then
  limit=(-max_total_time="$1")
fi
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=${VM24_DETECT_LEAKS:-1}"
export LSAN_OPTIONS="suppressions=$root/tools/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
cd "$build/fuzz"
status=0
for name in frames ledger catalogue settings; do
  corpus="$(mktemp -d)"
  if ./"fuzz_$name" -seed=1 -max_len=8192 -print_final_stats=1 "${limit[@]}" \
       "$corpus" "$root/tests/fuzz/seeds/$name" > "$name.log" 2>&1; then
    echo "fuzz_$name: $(grep -E '^#[0-9]+' "$name.log" | tail -1)"
  else
    echo "fuzz_$name FAILED (build-asan/fuzz/$name.log):"
    tail -30 "$name.log"
    status=1
  fi
  rm -rf "$corpus"
done
exit $status
