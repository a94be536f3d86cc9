#!/bin/sh
# Unmounts the USB stick the kiosk mounted under /media. Runs as root
# (through sudo) and unmounts nothing else.
#   umount_stick.sh /media/usbdrive-sdXN
set -u
[ $# -eq 1 ] || { echo "usage: $0 /media/usbdrive-sdXN" >&2; exit 2; }
case "$1" in
    /media/usbdrive-sd[a-z]|/media/usbdrive-sd[a-z][0-9]|/media/usbdrive-sd[a-z][0-9][0-9]) ;;
    *) echo "$0: not a USB stick's mount point: $1" >&2; exit 2 ;;
esac
exec /usr/bin/umount -- "$1"
