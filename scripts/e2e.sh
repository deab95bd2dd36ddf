#!/usr/bin/env bash
# The whole contact loop on the real program, driven only by key presses and
# mouse clicks as an operator makes them: a copy of BUILD/program (default
# build/program) with a names file of its own runs under a virtual X display
# (Xvfb) with a window manager (openbox).
#
#   1. first start: the resume dialog offers the simulated radio; Return connects it;
#   2. the call is typed into STN.WRKD (which has the focus), F2 sends MSG1, F7 logs;
#   3. the record line in Logs/Dravel_DEFAULTLOG.txt is checked;
#   4. the window manager closes the window; the restart file and the radio
#      restart file are checked;
#   5. second start: Return reconnects, and a click on "F1 - CQ" sends the CQ
#      (the keys are enabled at once).
#
# Everything it starts is stopped by process id and its folder removed; on a
# failure it says which step failed, shows the program's output and keeps a
# screenshot, whose path it prints. Exits 0 when every step passed.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
readonly kCall=Q9E2E kName=ZELDA kFreqHz=14025000
readonly kWait=20  # seconds any one step may take

for tool in Xvfb openbox xdotool xprop import; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (scripts/deps.sh installs it)"; exit 1; }
done
[ -x "$build/program/talvex" ] || { echo "e2e: no program in $build/program (build first)"; exit 1; }

source scripts/xsession.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/talvex-e2e.XXXXXX")
talvex_pid=""
step="setting up"
started=$SECONDS

on_exit() {
  local rc=$?
  if ((rc != 0)); then
    echo "e2e: FAILED at: $step"
    if [ -n "${DISPLAY:-}" ]; then
      local shot="${TMPDIR:-/tmp}/talvex-e2e-failure-$$.png"
      import -display "$DISPLAY" -window root "$shot" 2>/dev/null && echo "e2e: screenshot kept in $shot"
    fi
    for log in "$work"/talvex-*.log; do
      [ -f "$log" ] && { echo "--- $(basename "$log") ---"; cat "$log"; }
    done
  fi
  stop_all
  rm -rf "$work"
  exit "$rc"
}
trap on_exit EXIT

fail() {
  echo "e2e: $*"
  exit 1
}

# The program as shipped, with a names file of the test's own.
fresh_program "$build" "$work"
printf '%s,%s,4242,FOC\n' "$kCall" "$kName" >"$program/Documents/Talvex_NAMES.txt"
export TALVEX_INSTANCE_NAME="talvex-e2e-$$"

step="starting Xvfb"
start_display "$work" || fail "Xvfb gave no display number"
echo "e2e: virtual display $DISPLAY"
step="starting openbox"
start_openbox "$work" || fail "openbox did not start"

# resume_with_return N: waits for the resume dialog, presses Return in it and
# waits for the radio to connect.
resume_with_return() {
  local dialog
  step="start $1: waiting for the resume dialog"
  wait_for "$kWait" window_of '^Resuming selected items from previous session$' ||
    fail "no resume dialog"
  dialog=$(window_of '^Resuming selected items from previous session$')
  step="start $1: Return in the resume dialog"
  xdotool windowactivate --sync "$dialog"
  xdotool key --clearmodifiers Return
  wait_for "$kWait" log_has "$1" "Talvex: radio connected on COM99 at 38400 baud" ||
    fail "Return did not connect the radio"
}

# main_window: the main window, active (the window manager's doing, no click).
main_window() {
  local main
  main=$(window_of '^Talvex de ') || fail "no main window"
  xdotool windowactivate --sync "$main"
  echo "$main"
}

# close_by_window_manager N: Alt+F4, which openbox turns into a close request
# (WM_DELETE_WINDOW); the program must end on its own, with exit code 0.
close_by_window_manager() {
  local rc=0
  step="start $1: closing by the window manager"
  main_window >/dev/null
  xdotool key --clearmodifiers alt+F4
  wait_for "$kWait" sh -c "! kill -0 $talvex_pid" || fail "the program did not end after Alt+F4"
  wait "$talvex_pid" || rc=$?
  ((rc == 0)) || fail "the program ended with exit code $rc"
  forget "$talvex_pid"
}

# ---- first start ----
start_talvex 1
resume_with_return 1

step="start 1: typing the call into STN.WRKD"
main=$(main_window)
xdotool type --delay 60 "${kCall:0:3}"
# Halfway through the call the operator opens the message buttons from the
# menu (Messaging > Show Message Buttons); the rest of the call follows on.
step="start 1: Messaging > Show Message Buttons in the middle of the call"
xdotool mousemove --window "$main" 255 10 click 1
sleep 0.3
xdotool key --clearmodifiers Down Down Down Down Return
wait_for "$kWait" window_of 'messages$' || fail "no message buttons"
xdotool type --delay 60 "${kCall:3}"
step="start 1: F2 sends MSG1"
xdotool key --clearmodifiers F2
wait_for "$kWait" log_has 1 "Talvex: Sending MSG1" || fail "F2 did not send MSG1"

step="start 1: F7 logs the contact"
xdotool key --clearmodifiers F7
log="$program/Logs/Dravel_DEFAULTLOG.txt"
wait_for "$kWait" test -s "$log" || fail "F7 wrote no line to $log"
record='^[0-9]{4}-[0-9]{2}-[0-9]{2}:14025:CW:100:[0-9]{4}:'"$kCall"':599:599:[0-9]{4}:N/A:'"$kName"':N/A$'
[ "$(wc -l <"$log")" -eq 1 ] || fail "expected one line in $log, found: $(cat "$log")"
grep -Eq "$record" "$log" || fail "unexpected record line: $(cat "$log")"

close_by_window_manager 1
step="start 1: the files written at closing"
[ "$(tail -n 1 "$program/Dravel_RESTART.txt")" = "END_OF_RESTART_FILE=YES" ] ||
  fail "Dravel_RESTART.txt does not end with END_OF_RESTART_FILE=YES"
grep -qx "LEFT_RADIO_FREQUENCY=$kFreqHz" "$program/Dravel_RADIORESTART.txt" ||
  fail "Dravel_RADIORESTART.txt does not hold the frequency $kFreqHz"

# ---- second start ----
start_talvex 2
resume_with_return 2
step="start 2: a click on \"F1 - CQ\" sends the CQ"
main=$(main_window)
# pnF1 sits in the key row below the menu bar and the grid (x 182-263, y 45-64 of the client area).
xdotool mousemove --window "$main" 222 75 click 1
wait_for "$kWait" log_has 2 "Talvex: Sending CQ" || fail "the F1 key did not send the CQ"
xdotool key --clearmodifiers Escape
close_by_window_manager 2

step="stopping"
stop_all
echo "e2e: passed in $((SECONDS - started)) s"
