#!/usr/bin/env bash
# Where the demo shows the kiosk: prints the environment of vm24 for this
# machine as NAME=VALUE lines. tools/demo.sh exports them; the end-to-end
# tests start the program with them, so that they run it the demo's way.
#
#   DISPLAY set            a window on that display, scaled by VM24_DEMO_SCALE
#   no DISPLAY             Qt's VNC platform, a 1080 x 1920 screen on VM24_VNC_PORT
#   QT_QPA_PLATFORM set    nothing: the platform of your own is used as it is
#
# The program scales its window itself (VM24_WINDOW_SCALE): Qt paints widgets
# at no less than one device pixel per pixel, so a QT_SCALE_FACTOR under 1
# leaves the screen drawn at full size in a window of the smaller size.
# The VNC screen has 16-bit colour: at 32 bits Qt's VNC server copies its
# pixels unchanged to a viewer that asks for another 32-bit layout
# (vncsnapshot asks for red in the lowest byte), which shows red as blue.
# From a 16-bit screen it converts to the layout each viewer asks for.
set -euo pipefail
if [ -n "${QT_QPA_PLATFORM:-}" ]; then
  exit 0
fi
if [ -n "${DISPLAY:-}" ]; then
  echo "QT_QPA_PLATFORM=xcb"
  echo "VM24_WINDOWED=1"
  echo "VM24_WINDOW_SCALE=${VM24_DEMO_SCALE:-0.5}"
else
  echo "QT_QPA_PLATFORM=vnc:size=1080x1920:depth=16:port=${VM24_VNC_PORT:-5900}"
fi
