#!/usr/bin/env bash
# Sets up this machine, builds, and runs the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
build="${VM24_BUILD_DIR:-$root/build}"
run_dir="${VM24_RUN_DIR:-$build/demo-run}"
mkdir -p "$run_dir"
export VM24_APP_DIR="$run_dir"
export VM24_SYSTEM_ACTIONS_RECORD="$run_dir/system-actions.log"
if [ -z "${DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM="vnc:size=1080x1920"
  echo "No display: connect a VNC viewer to localhost:5900"
fi
exec "$build/bin/vm24" "$@"
