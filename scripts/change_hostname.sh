#!/bin/bash
# Gives the machine a new host name, now and after the next boot.
#   change_hostname.sh <name>        e.g. change_hostname.sh vm24_00042
# The program runs it (through its platform-action layer) when the machine's
# serial number changes. Must run as root.
set -u

name="${1:-}"
if [[ ! "$name" =~ ^[A-Za-z0-9][A-Za-z0-9_-]{0,62}$ ]]; then
    echo "usage: $0 <name> (letters, digits, '-' and '_', at most 63)" >&2
    exit 2
fi

# The name for the next boot, written whole before it replaces the old one.
tmp="$(mktemp "/etc/hostname.XXXXXX")" || exit 1
printf '%s\n' "$name" > "$tmp" && chmod 644 "$tmp" && mv -f "$tmp" "/etc/hostname" || {
    rm -f "$tmp"
    exit 1
}

# Keep the local name resolvable, or tools that look up their own host stall.
if [ -f "/etc/hosts" ]; then
    if grep -q '^127\.0\.1\.1[[:space:]]' "/etc/hosts"; then
        sed -i "s/^127\.0\.1\.1[[:space:]].*/127.0.1.1\t$name/" "/etc/hosts"
    else
        printf '127.0.1.1\t%s\n' "$name" >> "/etc/hosts"
    fi
fi

# The running system. hostnamectl would refuse the underscore of our names
# as a static host name, so the kernel's name is set directly.
hostname "$name" || exit 1
sync
exit 0
