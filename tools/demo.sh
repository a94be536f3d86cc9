#!/usr/bin/env bash
# The whole kiosk on this machine: installs what is missing, builds, installs
# a run directory, starts the board simulator with a machine ready to sell
# and vm24 full screen on it.
#
#   bash tools/demo.sh [program arguments]
#
# With a display (DISPLAY set) vm24 opens there as a portrait window scaled
# by VM24_DEMO_SCALE (default 0.5, so that 1920 pixels fit a laptop; 1 for
# full size). Without one it runs on Qt's VNC platform as a 1080 x 1920
# screen: connect a VNC viewer to the address printed. QT_QPA_PLATFORM, when
# set, is used as it is. tools/demo-display.sh makes the choice.
# Everything of the run lives in build/demo-run (VM24_RUN_DIR): settings,
# ledgers, event log, printed receipts, recorded platform actions.
# Ctrl+C stops vm24 and the simulator.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh" vm24 rk710-sim touchev
build="${VM24_BUILD_DIR:-$root/build}"
run_dir="${VM24_RUN_DIR:-$build/demo-run}"
"$root/tools/install-run-dir.sh" "$build" "$run_dir"

sim="$build/bin/rk710-sim"
board_link="$run_dir/rk710"
control="$run_dir/rk710.sock"

# A one-word helper for the board's control channel: "$run_dir/board coin 200".
cat > "$run_dir/board" <<HELPER
#!/bin/sh
exec "$sim" --send "$control" "\$@"
HELPER
chmod 755 "$run_dir/board"

sim_pid=""
vm24_pid=""
sinks_pid=""
stop() {
  trap - INT TERM EXIT
  [ -n "$vm24_pid" ] && kill -TERM "$vm24_pid" 2>/dev/null && wait "$vm24_pid" 2>/dev/null
  [ -n "$sim_pid" ] && kill -TERM "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  [ -n "$sinks_pid" ] && kill -TERM "$sinks_pid" 2>/dev/null && wait "$sinks_pid" 2>/dev/null
  echo "vm24, the board simulator and the mail and FTP sinks stopped."
}
trap stop INT TERM EXIT

coproc SIM { exec "$sim" --link "$board_link" --control "$control" --no-stdin \
  --state "$root/tools/rk710-sim/demo-state.json" --receipts "$run_dir/receipts.txt" 2>>"$run_dir/rk710-sim.log"; }
sim_pid=$SIM_PID
if ! read -r -t 10 device <&"${SIM[0]}"; then
  echo "the board simulator did not start; see $run_dir/rk710-sim.log" >&2
  exit 1
fi

# A mail server and an FTP server on this machine's loopback stand in for
# the owner's inbox and the telemetry server: alarm mails and uploads land in
# the run directory.
mail_sink="$run_dir/mail-sink"
ftp_sink="$run_dir/ftp-sink"
ftp_password="$(head -c 12 /dev/urandom | od -An -tx1 | tr -d ' \n')"
coproc SINKS { VM24_SINK_FTP_PASSWORD="$ftp_password" exec /usr/bin/python3 "$root/tools/loopback_servers.py" \
  --mail-dir "$mail_sink" --ftp-dir "$ftp_sink" --ftp-user vm24 2>>"$run_dir/sinks.log"; }
sinks_pid=$SINKS_PID
if ! read -r -t 60 ports <&"${SINKS[0]}"; then
  echo "the mail and FTP sinks did not start; see $run_dir/sinks.log" >&2
  exit 1
fi
smtp_port="$(sed -E 's/.*"smtp": ([0-9]+).*/\1/' <<<"$ports")"
ftp_port="$(sed -E 's/.*"ftp": ([0-9]+).*/\1/' <<<"$ports")"
export VM24_MAIL_SERVER="smtp://127.0.0.1:$smtp_port"
export VM24_MAIL_FROM="vm24-demo@localhost"
/usr/bin/python3 "$root/tools/set_ini_values.py" "$run_dir/Korvane/VM24.ini" \
  "enable-notifications=true" "mail-send-interval=60" "ftp-send-interval=60" "Alarms/email=owner@localhost" \
  "FtpServer/address=127.0.0.1" "FtpServer/port=$ftp_port" "FtpServer/protocol=ftp" \
  "FtpServer/username=vm24" "NetworkTest/address=127.0.0.1" "NetworkTest/host=localhost" \
  - <<<"FtpServer/password=$ftp_password"

export VM24_APP_DIR="$run_dir"
export VM24_SYSTEM_ACTIONS_RECORD="$run_dir/system-actions.log"
export VM24_DEVICE_INFO_FILE="$run_dir/device-info.xml"
export VM24_SERIAL_DEVICE="$device"
# USB sticks of the demo: a directory media/usbdrive-sdX1 with a vfat image
# dev/sdX1 (mkfs.vfat -C -i ID dev/sdX1 1024); the machine's /media is not watched.
mkdir -p "$run_dir/media" "$run_dir/dev"
[ -f "$run_dir/net-address" ] || echo "02:24:0b:00:00:01" > "$run_dir/net-address"
export VM24_MEDIA_DIR="$run_dir/media"
export VM24_DEV_DIR="$run_dir/dev"
export VM24_NET_ADDRESS_FILE="$run_dir/net-address"
if [ -n "${QT_QPA_PLATFORM:-}" ]; then
  echo "Platform: $QT_QPA_PLATFORM"
else
  while IFS= read -r assignment; do
    export "${assignment?}"
  done < <("$root/tools/demo-display.sh")
  if [ -n "${DISPLAY:-}" ]; then
    echo "vm24 opens on display $DISPLAY, scaled by $VM24_WINDOW_SCALE (VM24_DEMO_SCALE)."
  else
    port="${VM24_VNC_PORT:-5900}"
    address="$(hostname -I 2>/dev/null | awk '{print $1}')"
    echo "No display: vm24 is served over VNC as a 1080 x 1920 screen."
    echo "Connect a VNC viewer to ${address:-this machine}:$port (on this machine: localhost:$port)."
  fi
fi

cat <<HELP

The board is simulated. Put money in from another terminal:
  $run_dir/board "coin 200"            a 2 euro coin (5, 10, 20, 50, 100, 200 cents)
  $run_dir/board "banknote 500"        a 5 euro banknote (500, 1000, 2000, 5000)
  $run_dir/board "card insert 20,00"   a cashless card holding 20 euro; "card remove" takes it away
  $run_dir/board "pos 3,50"            a POS payment
  $run_dir/board "door product open"   take the products out of the delivery door
  $run_dir/board state                 the whole machine state; "help" lists every command
Printed receipts: $run_dir/receipts.txt. Run directory: $run_dir. Stop with Ctrl+C.
Alarm mails (to owner@localhost, through $VM24_MAIL_SERVER) land in $mail_sink,
one file per mail; FTP uploads (alarm files, the nightly logs) land in $ftp_sink.
The senders look every minute; turn the key out and open the front door for an alarm:
  $run_dir/board "key out" && $run_dir/board "door front open"

HELP

"$run_dir/vm24" "$@" &
vm24_pid=$!
wait "$vm24_pid" || true
vm24_pid=""
