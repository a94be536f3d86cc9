#!/bin/sh
# Installs the static profile of eth0 as /etc/netctl/static_ethernet and
# switches eth0 to it. The profile is the one vm24 wrote into its state
# directory, read from standard input, so that as root (through sudo, which
# passes no arguments) no file the kiosk names is ever opened:
#   enable_static.sh < PROFILE
#   enable_static.sh PROFILE        the same, for a caller that is not root
# netctl runs a profile as a shell script: nothing but its four addresses is
# taken, the installed profile is written anew from them, and any other line
# refuses the whole profile (exit 2, network unchanged). Started detached by
# the settings manager, its outcome is not observed, so every step logs to
# the system journal.
# VM24_NETWORK_ROOT (tests only; sudo does not pass it on) installs under
# another root and leaves the interface alone.
set -u
PROFILE=static_ethernet
IFACE=eth0
MAX_BYTES=4096
root="${VM24_NETWORK_ROOT:-}"
netctl_dir="$root/etc/netctl"

log() { logger -t vm24-network "$*" 2>/dev/null; echo "enable_static.sh: $*" >&2; }
refuse() { log "profile refused: $*; network left unchanged"; exit 2; }

# Decimal, 1 to 3 digits, at most 255: the program's own rule.
is_octet() {
    case "$1" in ''|*[!0-9]*) return 1 ;; esac
    [ ${#1} -le 3 ] && [ "$1" -le 255 ]
}

is_ipv4() {
    case "$1" in ''|*[!0-9.]*|.*|*.|*..*) return 1 ;; esac
    saved_ifs=$IFS
    IFS=.
    # shellcheck disable=SC2086 # split on the dots, digits only
    set -- $1
    IFS=$saved_ifs
    [ $# -eq 4 ] && is_octet "$1" && is_octet "$2" && is_octet "$3" && is_octet "$4"
}

is_prefix() {
    case "$1" in ''|*[!0-9]*) return 1 ;; esac
    [ ${#1} -le 2 ] && [ "$1" -le 32 ]
}

if [ $# -eq 1 ]; then
    [ -f "$1" ] && [ -r "$1" ] || refuse "cannot read $1"
    exec < "$1"
elif [ $# -ne 0 ]; then
    refuse "usage: enable_static.sh [PROFILE] (or the profile on standard input)"
fi

input="$(mktemp)" || exit 1
trap 'rm -f "$input"' EXIT
head -c $((MAX_BYTES + 1)) > "$input"
size="$(wc -c < "$input")"
[ "$size" -le "$MAX_BYTES" ] || refuse "longer than $MAX_BYTES bytes"
[ "$(tr -d '\000\r' < "$input" | wc -c)" -eq "$size" ] || refuse "not a text of lines"

address="" prefix="" gateway="" dns=""
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
        "Description='Configurazione di rete statica per VM24'"|Interface=eth0|Connection=ethernet|IP=static|SkipNoCarrier=yes)
            ;;
        "Address=('"*"')")
            [ -z "$address" ] || refuse "a second address"
            value="${line#"Address=('"}"
            value="${value%"')"}"
            address="${value%%/*}"
            prefix="${value#*/}"
            is_ipv4 "$address" && [ "$address/$prefix" = "$value" ] && is_prefix "$prefix" \
                || refuse "not an address with a prefix"
            ;;
        "Gateway='"*"'")
            [ -z "$gateway" ] || refuse "a second gateway"
            gateway="${line#"Gateway='"}"
            gateway="${gateway%"'"}"
            is_ipv4 "$gateway" || refuse "not a gateway address"
            ;;
        "DNS=('"*"')")
            [ -z "$dns" ] || refuse "a second name server"
            dns="${line#"DNS=('"}"
            dns="${dns%"')"}"
            is_ipv4 "$dns" || refuse "not a name server address"
            ;;
        *)
            refuse "a line that is not the kiosk's"
            ;;
    esac
done < "$input"
[ -n "$address" ] && [ -n "$gateway" ] && [ -n "$dns" ] || refuse "an address is missing"

[ -d "$netctl_dir" ] || { log "$netctl_dir missing: is netctl installed? Network left unchanged"; exit 1; }
staged="$(mktemp "$netctl_dir/.$PROFILE.XXXXXX")" || exit 1
cat > "$staged" <<EOF
Description='Configurazione di rete statica per VM24'
Interface=$IFACE
Connection=ethernet
IP=static
SkipNoCarrier=yes
Address=('$address/$prefix')
Gateway='$gateway'
DNS=('$dns')
EOF
if ! chmod 0644 "$staged" || ! sync "$staged" || ! mv -f "$staged" "$netctl_dir/$PROFILE"; then
    rm -f "$staged"
    log "$netctl_dir/$PROFILE could not be written, network left unchanged"
    exit 1
fi
if [ -n "$root" ]; then
    log "profile installed under $root; $IFACE left alone"
    exit 0
fi

# DHCP must let go of the interface before netctl takes it.
systemctl stop "dhcpcd@$IFACE.service" 2>/dev/null
systemctl disable "dhcpcd@$IFACE.service" 2>/dev/null
netctl stop-all 2>/dev/null
ip link set "$IFACE" down 2>/dev/null

# reenable picks up changes to a profile that was already enabled.
if netctl reenable "$PROFILE" && netctl restart "$PROFILE"; then
    log "$IFACE configured from /etc/netctl/$PROFILE ($address/$prefix)"
else
    log "netctl could not start $PROFILE, falling back to DHCP"
    netctl disable "$PROFILE" 2>/dev/null
    systemctl enable "dhcpcd@$IFACE.service"
    systemctl restart "dhcpcd@$IFACE.service"
    exit 1
fi
