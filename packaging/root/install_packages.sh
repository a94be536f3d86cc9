#!/bin/sh
# Installs package files of the kiosk's package cache. Runs as root (through
# sudo) and installs nothing from anywhere else.
#   install_packages.sh FILE...
set -u
cache=/var/lib/vm24/data/package-cache
[ $# -ge 1 ] || { echo "$0: no package files" >&2; exit 2; }
for file in "$@"; do
    real="$(realpath -e -- "$file")" || exit 2
    case "$real" in
        "$cache"/*.pkg.tar.*) ;;
        *) echo "$0: not a package of the cache: $file" >&2; exit 2 ;;
    esac
    [ -f "$real" ] || exit 2
done
/usr/lib/vm24/check_package_files.sh "$@" || exit 3
exec /usr/bin/pacman -U --overwrite '*' --noconfirm --noprogress -- "$@"
