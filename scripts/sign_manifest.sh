#!/bin/sh
# Signs the manifest of a USB security key.
#
#   sign_manifest.sh MANIFEST PRIVATE_KEY
#
# Ed25519 over the whole manifest file with the private key (PEM, as written
# by "openssl genpkey -algorithm ed25519"). The signature is written next to
# the manifest as MANIFEST.sig. Exits 0 when the signature was written.
set -u
[ $# -eq 2 ] || { echo "usage: $0 MANIFEST PRIVATE_KEY" >&2; exit 2; }
manifest=$1
key=$2
[ -f "$manifest" ] && [ -r "$key" ] || exit 1
tmp="$manifest.sig.tmp"
rm -f "$tmp"
if ! openssl pkeyutl -sign -rawin -inkey "$key" -in "$manifest" -out "$tmp" 2>/dev/null; then
  rm -f "$tmp"
  exit 1
fi
mv -f "$tmp" "$manifest.sig" || exit 1
sync
