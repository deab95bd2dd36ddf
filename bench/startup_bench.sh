#!/usr/bin/env bash
# Start-up of the real program under Xvfb: the time from starting it to its
# main window being mapped on the display, and its resident memory then.
#
#   bench/startup_bench.sh [RUNS] [BUILD-DIR]     (default 20 build)
#
# Needs Xvfb, xev (x11-utils) and a built program directory. Each run uses a
# fresh copy of the program directory, so no run sees another's files. The
# map is seen as an event (xev on the root window), not by polling, so the
# measuring takes no processor time from the program.
set -euo pipefail
runs=${1:-20}
build=${2:-build}
program="$build/program"
[ -x "$program/talvex" ] || { echo "no program in $program: build first" >&2; exit 1; }

n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

# Every window mapped on the display, as it happens.
exec 3< <(DISPLAY=":$n" stdbuf -oL xev -root -event substructure)
sleep 0.5

times=()
rss=()
for i in $(seq 1 "$runs"); do
  rm -rf "$work/p" && cp -a "$program" "$work/p"
  while read -r -t 0.2 _ <&3; do :; done  # drop earlier events
  start=$(date +%s%N)
  DISPLAY=":$n" QT_QPA_PLATFORM=xcb TALVEX_INSTANCE_NAME="bench-$$-$i" "$work/p/talvex" >"$work/log" 2>&1 &
  pid=$!
  while read -r -t 10 line <&3; do
    [[ $line == MapNotify* ]] && break
  done
  end=$(date +%s%N)
  kill -0 $pid 2>/dev/null || { echo "the program ended:" >&2; cat "$work/log" >&2; exit 1; }
  sleep 0.5
  times+=($(( (end - start) / 1000000 )))
  rss+=($(awk '/VmRSS/ {print $2}' /proc/$pid/status))
  kill $pid; wait $pid 2>/dev/null || true
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "start to visible main window over $runs runs: median $(median "${times[@]}") ms (min $(printf '%s\n' "${times[@]}" | sort -n | head -1), max $(printf '%s\n' "${times[@]}" | sort -n | tail -1))"
echo "resident memory: median $(( $(median "${rss[@]}") / 1024 )) MB"
exec 3<&-
