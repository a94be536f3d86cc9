#!/bin/sh
# Switches eth0 to DHCP and retires the static netctl profile. Started
# detached by the settings manager after the settings were saved or
# imported; its outcome is not observed, so it logs to the system journal.
PROFILE=static_ethernet
IFACE=eth0

log() { logger -t vm24-network "$*"; }

if netctl is-enabled "$PROFILE" >/dev/null 2>&1; then
    netctl disable "$PROFILE"
fi
netctl stop "$PROFILE" 2>/dev/null
ip addr flush dev "$IFACE" 2>/dev/null

systemctl enable "dhcpcd@$IFACE.service"
if systemctl restart "dhcpcd@$IFACE.service"; then
    log "eth0 configured by DHCP"
else
    log "dhcpcd could not be started on $IFACE"
    exit 1
fi
