#!/usr/bin/env bash
# Configures (once) and builds into build/ (or $VM24_BUILD_DIR).
#   bash tools/build.sh              everything: program, plug-in, simulator, tests, benchmarks
#   bash tools/build.sh TARGET...    only those targets (the demo builds vm24, rk710-sim, touchev)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VM24_BUILD_DIR:-$root/build}"
# The compiler cache keys on paths relative to the checkout, so another clone
# or work tree of the same sources reuses what was compiled once.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
targets=()
for target in "$@"; do
  targets+=(--target "$target")
done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
