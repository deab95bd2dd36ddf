#!/usr/bin/env bash
# Builds Talvex and starts it from build/program/. Without a display it starts
# a virtual X display (Xvfb) and says which one it is.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  n=99
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"
  export QT_QPA_PLATFORM=xcb
  echo "No display found: Talvex runs on the virtual display $DISPLAY"
  echo "  (look at it with: import -display $DISPLAY -window root shot.png)"
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
fi

build/program/talvex
