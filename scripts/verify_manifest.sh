#!/bin/sh
# Checks the signature of a USB security key's manifest.
#
#   verify_manifest.sh MANIFEST PUBLIC_KEY
#
# Verifies the Ed25519 signature MANIFEST.sig over the whole manifest file
# with the public key (PEM, as written by "openssl pkey -pubout"). Exits 0
# only when the signature is valid. Changes nothing.
set -u
[ $# -eq 2 ] || { echo "usage: $0 MANIFEST PUBLIC_KEY" >&2; exit 2; }
manifest=$1
key=$2
[ -f "$manifest" ] && [ -f "$manifest.sig" ] && [ -r "$key" ] || exit 1
openssl pkeyutl -verify -rawin -pubin -inkey "$key" -in "$manifest" -sigfile "$manifest.sig" >/dev/null 2>&1
