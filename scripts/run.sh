#!/usr/bin/env bash
# Starts the program on the user's display, or on a private Xvfb display when there is none.
set -euo pipefail
exe=$1
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$exe"
fi
echo "No display found; starting on a virtual display (xvfb-run)."
exec xvfb-run -a -s "-screen 0 1920x1080x24" "$exe"
