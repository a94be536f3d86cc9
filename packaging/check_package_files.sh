#!/bin/sh
# Checks that each file is a whole package: an archive that reads to its end
# and holds the package's description. pacman itself extracts a package cut
# short up to the cut, leaving the machine half updated, so a package is
# checked before it is handed to pacman.
#   check_package_files.sh FILE...
# Exits 0 when every file is whole, 3 naming the first that is not.
set -u
for file in "$@"; do
    if ! bsdtar -tf "$file" >/dev/null 2>&1 || [ -z "$(bsdtar -xOf "$file" .PKGINFO 2>/dev/null)" ]; then
        echo "$file is not a whole package: not installed" >&2
        exit 3
    fi
done
exit 0
