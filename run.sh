#!/usr/bin/env bash
# Builds Talvex and starts it from build/program/. The first start (and every
# later one) offers to connect the simulated radio: Return in the dialog
# "Resuming selected items from previous session" connects it.
#
# Without a display it starts a virtual X display (Xvfb) with a window
# manager (openbox), says which display it is, and presses that Return itself,
# since nobody can press keys there; it says when the radio is connected.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/program/talvex
fi

source scripts/xsession.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/talvex-run.XXXXXX")
talvex_pid=""
trap 'stop_all; rm -rf "$work"' EXIT
# Ctrl+C: Talvex is sent SIGTERM, on which it closes as its close box does
# (files written), then the window manager and the display go.
trap 'exit 0' INT TERM

start_display "$work" || { echo "Xvfb did not start: see $work/xvfb.log"; exit 1; }
echo "No display found: Talvex runs on the virtual display $DISPLAY"
echo "  (look at it with: import -display $DISPLAY -window root shot.png)"
command -v openbox >/dev/null && start_openbox "$work"

log="$work/talvex.log"
build/program/talvex 2> >(tee "$log" >&2) &
talvex_pid=$!
pids+=("$talvex_pid")

# The one step: Return in the resume dialog.
resume="Resuming selected items from previous session"
dialog=""
for _ in $(seq 1 150); do
  dialog=$(xdotool search --all --onlyvisible --pid "$talvex_pid" --name "^$resume\$" 2>/dev/null | head -n 1) || true
  [ -n "$dialog" ] && break
  kill -0 "$talvex_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -n "$dialog" ]; then
  echo "Pressing Return in \"$resume\" on $DISPLAY"
  xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
  xdotool key --clearmodifiers Return
  for _ in $(seq 1 150); do grep -q "radio connected" "$log" && break; sleep 0.1; done
  if grep -q "radio connected" "$log"; then
    echo "The simulated station is connected on $DISPLAY. Ctrl+C closes Talvex."
  else
    echo "The radio did not connect: see the messages above."
  fi
elif kill -0 "$talvex_pid" 2>/dev/null; then
  echo "No resume dialog (no restart file): a click on the radio's picture connects it."
fi
wait "$talvex_pid" || true
