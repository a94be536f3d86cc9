#!/usr/bin/env bash
# Writes and signs the indexes of a content release.
#
#   tools/publish-content.sh DIR PRIVATE_KEY
#
# DIR is the tree served as "contents/" by the update server: the general
# descriptor DIR/descriptor.txt and, for single machines, DIR/<serial>/
# descriptor.txt (serial in five digits). Every file a descriptor names by
# URL must lie beside that descriptor (or in DIR), under the last part of
# its URL. Beside each descriptor this writes descriptor.txt.index, listing
# the descriptor and those files with their sizes and SHA-256, for all
# machines (the general one) or for that serial, and its signature
# descriptor.txt.index.sig made with the owner's private key file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ $# -eq 2 ] || { sed -n '4,14p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2; exit 2; }
dir="${1%/}" key="$2"
[ -f "$dir/descriptor.txt" ] || { echo "publish-content.sh: no $dir/descriptor.txt" >&2; exit 1; }

# publish DESCRIPTOR FOR
publish() {
  local descriptor="$1" for="$2" here files=() url name
  here="$(dirname "$descriptor")"
  files+=("$descriptor")
  while read -r url; do
    name="${url%%[?#]*}"
    name="${name##*/}"
    if [ -f "$here/$name" ]; then files+=("$here/$name")
    elif [ -f "$dir/$name" ]; then files+=("$dir/$name")
    else echo "publish-content.sh: $descriptor names $url, but there is no $name" >&2; return 1
    fi
  done < <(grep -v '^[[:space:]]*#' "$descriptor" | tr -s '[:space:]' '\n' | grep -E '^https?://' | sort -u)
  "$root/tools/sign-index.sh" "$descriptor.index" "$key" "$for" "${files[@]}"
}

publish "$dir/descriptor.txt" all
for own in "$dir"/[0-9][0-9][0-9][0-9][0-9]/descriptor.txt; do
  [ -f "$own" ] || continue
  publish "$own" "$(basename "$(dirname "$own")")"
done
