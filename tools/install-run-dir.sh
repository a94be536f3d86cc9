#!/usr/bin/env bash
# Installs a run directory: the application directory of a vm24 that runs
# on this machine against the board simulator (the demo, the end-to-end test).
#
#   tools/install-run-dir.sh BUILD_DIR RUN_DIR
#
# RUN_DIR receives the program, the demo content (data directory and settings
# file with the product arrangement, from demo/install.sh) and stand-ins for
# the platform scripts: each one only appends its name and arguments to
# RUN_DIR/platform-scripts.log, so nothing on this machine is changed; the
# USB key's sign and verify scripts, the spool garbage collector (which only
# deletes in the run directory's spool directories) and the mail script
# (which sends to the mail server the demo names) change nothing here and are
# installed as they are. On a
# machine without the touchscreen device its alarm is switched off in the
# settings, as an operator would, so that the kiosk is not out of service.
# Ledgers, counters and the event log of an earlier run are kept.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_DIR RUN_DIR" >&2
  exit 2
fi
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"
run_dir="$2"

mkdir -p "$run_dir"
# A hard link where the file system allows it: the end-to-end cases make a
# run directory each, and a copy of the program in every one adds up to a
# gigabyte. The old file is removed first, never written through.
rm -f "$run_dir/vm24"
ln "$build/bin/vm24" "$run_dir/vm24" 2>/dev/null || install -m 755 "$build/bin/vm24" "$run_dir/vm24"
"$root/demo/install.sh" "$run_dir" >/dev/null

for script in "$root"/scripts/*; do
  name="$(basename "$script")"
  case "$name" in
    sign_manifest.sh|verify_manifest.sh|garbage_collect_files.sh|smtp_send.py)
      install -m 755 "$script" "$run_dir/$name"
      continue ;;
  esac
  cat > "$run_dir/$name" <<STANDIN
#!/bin/sh
# Stand-in for the platform script $name: records the call only.
echo "\$(date '+%F %T') $name \$*" >> "\$(dirname "\$0")/platform-scripts.log"
STANDIN
  chmod 755 "$run_dir/$name"
done
if [ ! -e /dev/vm60_touchscreen ] && ! grep -q '^\[Alarms\]' "$run_dir/Korvane/VM24.ini"; then
  printf '\n[Alarms]\ntouchscreen-disconnected=false\n' >> "$run_dir/Korvane/VM24.ini"
fi
echo "run directory ready: $run_dir"
