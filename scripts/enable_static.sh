#!/bin/sh
# Switches eth0 to the static address written by vm24 into the netctl profile
# /etc/netctl/static_ethernet. Started detached by the settings manager after
# the settings were saved or imported; its outcome is not observed, so every
# step logs to the system journal.
PROFILE=static_ethernet
IFACE=eth0

log() { logger -t vm24-network "$*"; }

if [ ! -f "/etc/netctl/$PROFILE" ]; then
    log "profile /etc/netctl/$PROFILE missing, network left unchanged"
    exit 1
fi

# DHCP must let go of the interface before netctl takes it.
systemctl stop "dhcpcd@$IFACE.service" 2>/dev/null
systemctl disable "dhcpcd@$IFACE.service" 2>/dev/null
netctl stop-all 2>/dev/null
ip link set "$IFACE" down 2>/dev/null

# reenable picks up changes to a profile that was already enabled.
if netctl reenable "$PROFILE" && netctl restart "$PROFILE"; then
    log "eth0 configured from /etc/netctl/$PROFILE"
else
    log "netctl could not start $PROFILE, falling back to DHCP"
    netctl disable "$PROFILE" 2>/dev/null
    systemctl enable "dhcpcd@$IFACE.service"
    systemctl restart "dhcpcd@$IFACE.service"
    exit 1
fi
