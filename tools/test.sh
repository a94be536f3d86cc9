#!/usr/bin/env bash
# Sets up this machine, builds, and runs every test through ctest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
cd "${VM24_BUILD_DIR:-$root/build}"
ctest --output-on-failure --parallel "$(nproc)" "$@"
