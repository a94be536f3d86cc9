#!/usr/bin/env bash
# Configures (once) and builds into build/ (or $VM24_BUILD_DIR).
#   bash tools/build.sh              everything: program, plug-in, simulator, tests, benchmarks
#   bash tools/build.sh TARGET...    only those targets (the demo builds vm24, rk710-sim, touchev)
# VM24_BENCHMARKS=OFF, when the build directory is first configured, leaves
# the benchmarks out (CI does: tools/test.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VM24_BUILD_DIR:-$root/build}"
source "$root/tools/compiler-cache.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVM24_BENCHMARKS="${VM24_BENCHMARKS:-ON}"
fi
targets=()
for target in "$@"; do
  targets+=(--target "$target")
done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
