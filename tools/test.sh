#!/usr/bin/env bash
# Sets up this machine, builds, and runs every test through ctest; then the
# board's armhf build runs its tests under emulation (VM24_ARMHF=0 leaves it
# out), the sanitizer build runs the tests again and the fuzz harnesses run
# a short while (VM24_SANITIZERS=0 leaves both out).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# CI runs no benchmark, so it builds none (the commands of the README do).
if [ "${CI:-}" = true ]; then
  export VM24_BENCHMARKS="${VM24_BENCHMARKS:-OFF}"
fi
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
cd "${VM24_BUILD_DIR:-$root/build}"
ctest --output-on-failure --parallel "$(nproc)" "$@"
# The board's build and its tests under emulation (VM24_ARMHF=0 leaves
# them out).
if [ "${VM24_ARMHF:-1}" != 0 ]; then
  "$root/tools/cross-build.sh" armhf --test
fi
if [ "${VM24_SANITIZERS:-1}" != 0 ]; then
  "$root/tools/sanitize.sh"
  "$root/tools/fuzz.sh"
fi
