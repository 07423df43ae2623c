#!/usr/bin/env bash
# Runs a command with DISPLAY pointing at a private Xvfb server (1920x1080),
# unless a display is already there. The server ends with the command.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$@"
fi
for number in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
        break
    fi
done
Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; wait $server 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    if DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
        break
    fi
    sleep 0.1
done
export DISPLAY=":$number"
"$@"
