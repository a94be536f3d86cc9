#!/bin/bash
# Sets the system clock and the hardware clock.
#   set_system_time.sh "yyyy-MM-dd hh:mm:ss"     local time
# The program runs it (through its platform-action layer) at start-up with the
# controller board's battery-backed clock and when an operator sets the time.
# Must run as root.
set -u

when="${1:-}"

if [[ ! "$when" =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]{2}:[0-9]{2}:[0-9]{2}$ ]]; then
    echo "usage: $0 \"yyyy-MM-dd hh:mm:ss\"" >&2
    exit 2
fi

date -s "$when" > /dev/null || exit 1

# Boards without a real-time clock have no hardware clock to write: the
# system clock is what matters then.
if command -v hwclock > /dev/null 2>&1 && [ -e /dev/rtc0 ]; then
    hwclock -w || exit 3
fi
exit 0
