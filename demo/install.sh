#!/usr/bin/env bash
# Installs the demo content into a run directory (the application directory
# of a demo run): the data directory and the settings file.
#
# Usage: demo/install.sh RUN_DIR
#
# Everything under demo/data (catalogues, product pictures, slides, partner
# banner and events picture, shop texts) is copied into RUN_DIR/data; the
# settings file demo/Korvane/VM24.ini replaces RUN_DIR/Korvane/VM24.ini.
# Files already in RUN_DIR/data that the demo does not ship are kept (for
# example the operator's edits in data/products/zz-user-edits).
set -euo pipefail

if [ $# -ne 1 ] || [ -z "$1" ]; then
  echo "usage: $0 RUN_DIR" >&2
  exit 2
fi

demo="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
run_dir="$1"

mkdir -p "$run_dir/data" "$run_dir/Korvane"
for asset in products brixo-events brixo-banner media user package-cache; do
  mkdir -p "$run_dir/data/$asset"
done

cp -R "$demo/data/." "$run_dir/data/"
cp "$demo/Korvane/VM24.ini" "$run_dir/Korvane/VM24.ini"

echo "demo content installed into $run_dir"
