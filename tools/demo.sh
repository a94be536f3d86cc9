#!/usr/bin/env bash
# Sets up this machine, builds, and runs the program.
#
#   bash tools/demo.sh [program arguments]
#
# With a display (DISPLAY set) the program opens on it. Without one it runs on
# Qt's VNC platform as a 1080 x 1920 portrait screen: connect a VNC viewer to
# the address printed below. QT_QPA_PLATFORM, when set, is used as it is.
# Settings, ledgers and logs of the run go to build/demo-run (VM24_RUN_DIR);
# actions on the machine (clock, host name, reboot...) are only recorded, in
# system-actions.log there. Stop with Ctrl+C.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
build="${VM24_BUILD_DIR:-$root/build}"

run_dir="${VM24_RUN_DIR:-$build/demo-run}"
mkdir -p "$run_dir"
export VM24_APP_DIR="$run_dir"
export VM24_SYSTEM_ACTIONS_RECORD="$run_dir/system-actions.log"

if [ -n "${QT_QPA_PLATFORM:-}" ]; then
  echo "Platform: $QT_QPA_PLATFORM"
elif [ -n "${DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=xcb
  echo "Showing vm24 on display $DISPLAY"
else
  port="${VM24_VNC_PORT:-5900}"
  export QT_QPA_PLATFORM="vnc:size=1080x1920:port=$port"
  address="$(hostname -I 2>/dev/null | awk '{print $1}')"
  echo "No display: vm24 is served over VNC as a 1080 x 1920 screen."
  echo "Connect a VNC viewer to ${address:-this machine}:$port (on this machine: localhost:$port)."
fi
echo "Run directory: $run_dir. Stop with Ctrl+C."
exec "$build/bin/vm24" "$@"
