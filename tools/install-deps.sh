#!/usr/bin/env bash
# Installs the Debian packages of tools/packages.txt (or of the list file
# given) that are not installed yet. Works as root or through sudo; does
# nothing when everything is there.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

missing=()
while read -r package; do
  package="${package%%#*}"
  package="$(echo "$package" | xargs)"
  [ -z "$package" ] && continue
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done < "${1:-$here/packages.txt}"

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
