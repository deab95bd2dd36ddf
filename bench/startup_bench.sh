#!/usr/bin/env bash
# Start-up of the real program under Xvfb, side by side with a bare Qt window
# of the same size (bench/bare_window.cpp): the time from starting each to its
# main window being mapped on the display, and its resident memory then.
#
#   bench/startup_bench.sh [RUNS] [BUILD-DIR]     (default 20 build)
#
# Needs Xvfb, xev (x11-utils) and a built program directory. The two programs
# take turns, round after round, so both see the same machine. Each Talvex
# run uses a fresh copy of the program directory, so no run sees another's
# files. The map is seen as an event (xev on the root window), not by
# polling, so the measuring takes no processor time from the program.
set -euo pipefail
runs=${1:-20}
build=${2:-build}
program="$build/program"
bare="$build/bench/bare_window"
[ -x "$program/talvex" ] || { echo "no program in $program: build first" >&2; exit 1; }
[ -x "$bare" ] || { echo "no $bare: build the bench programs first" >&2; exit 1; }

n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'exec 3<&- 2>/dev/null; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

# Every window mapped on the display, as it happens.
exec 3< <(DISPLAY=":$n" stdbuf -oL xev -root -event substructure)
sleep 0.5

# measure NAME CMD...: one start of CMD; appends to NAME_ms and NAME_kb.
measure() {
  local name=$1 start end pid line
  shift
  while read -r -t 0.2 _ <&3; do :; done  # drop earlier events
  start=$(date +%s%N)
  DISPLAY=":$n" QT_QPA_PLATFORM=xcb "$@" >"$work/log" 2>&1 &
  pid=$!
  while read -r -t 10 line <&3; do
    [[ $line == MapNotify* ]] && break
  done
  end=$(date +%s%N)
  kill -0 $pid 2>/dev/null || { echo "$name ended:" >&2; cat "$work/log" >&2; exit 1; }
  sleep 0.5
  eval "${name}_ms+=($(((end - start) / 1000000)))"
  eval "${name}_kb+=($(awk '/VmRSS/ {print $2}' /proc/$pid/status))"
  kill $pid
  wait $pid 2>/dev/null || true
}

talvex_ms=() talvex_kb=() bare_ms=() bare_kb=()
for i in $(seq 1 "$runs"); do
  rm -rf "$work/p" && cp -a "$program" "$work/p"
  TALVEX_INSTANCE_NAME="bench-$$-$i" measure talvex "$work/p/talvex"
  measure bare "$bare"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
report() {
  local -n ms=$1_ms kb=$1_kb
  printf '%-12s start to visible main window: median %4d ms (min %d, max %d); resident memory: median %d MB\n' \
    "$2" "$(median "${ms[@]}")" "$(printf '%s\n' "${ms[@]}" | sort -n | head -1)" \
    "$(printf '%s\n' "${ms[@]}" | sort -n | tail -1)" "$(($(median "${kb[@]}") / 1024))"
}
echo "over $runs rounds, taking turns:"
report talvex "Talvex"
report bare "bare Qt"
awk -v t="$(median "${talvex_ms[@]}")" -v b="$(median "${bare_ms[@]}")" \
  -v tk="$(median "${talvex_kb[@]}")" -v bk="$(median "${bare_kb[@]}")" \
  'BEGIN { printf "Talvex / bare Qt: %.2f x the time, %+.1f MB\n", t / b, (tk - bk) / 1024 }'
