#!/usr/bin/env bash
# Writes and signs the index that vouches for an update's files.
#
#   tools/sign-index.sh INDEX PRIVATE_KEY FOR FILE...
#
#   INDEX        the index to write, e.g. firmware/package-list.txt.index
#   PRIVATE_KEY  the owner's Ed25519 private key file (PEM); openssl reads it
#                from the file, it never appears on a command line
#   FOR          "all", or the machine serials it is for, comma separated
#                (e.g. 04242,00017)
#   FILE...      the document and every file it brings: each is listed by
#                its name (the last part of its path), size and SHA-256
#
# The signature is written beside the index as INDEX.sig, the way the USB
# key manifests are signed (scripts/sign_manifest.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ $# -ge 4 ] || { sed -n '4,15p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2; exit 2; }
index="$1" key="$2" for="$3"
shift 3
[ -r "$key" ] || { echo "sign-index.sh: cannot read the key $key" >&2; exit 1; }
[[ "$for" == all || "$for" =~ ^[0-9]{5}(,[0-9]{5})*$ ]] || { echo "sign-index.sh: FOR is all or five-digit serials, not '$for'" >&2; exit 2; }
tmp="$index.tmp"
{
  echo "vm24-index 1"
  echo "published $(date -u +%Y-%m-%dT%H:%M:%SZ)"
  echo "for ${for//,/ }"
  declare -A seen=()
  for file in "$@"; do
    name="$(basename "$file")"
    [ -f "$file" ] || { echo "sign-index.sh: no file $file" >&2; exit 1; }
    [[ "$name" =~ ^[A-Za-z0-9._+@-]+$ && "$name" != .* ]] || { echo "sign-index.sh: unusable file name '$name'" >&2; exit 1; }
    [ -z "${seen[$name]:-}" ] || { echo "sign-index.sh: two files named $name" >&2; exit 1; }
    seen[$name]=1
    echo "file $name $(stat -c %s "$file") $(sha256sum "$file" | cut -d' ' -f1)"
  done
} > "$tmp"
mv -f "$tmp" "$index"
sh "$root/scripts/sign_manifest.sh" "$index" "$key" || { echo "sign-index.sh: signing $index failed" >&2; exit 1; }
echo "signed index: $index"
