#!/usr/bin/env bash
# Remakes the README's pictures (docs/screenshots/) from the real program,
# under a virtual X display with the openbox window manager, driven by key
# presses and clicks as an operator makes them:
#
#   01-first-start.png    the first start: the resume dialog over the window
#   02-connected.png      Return pressed: the simulated radio is connected
#   03-soft-panel.png     "Click to Activate Soft Panel": the radio's panel
#   04-messages.png       the message buttons and the CW keyboard
#   05-contact.png        a call typed into STN.WRKD, its name looked up
#   06-log-file.png       the default log after F7
#   07-hamlib-panel.png   the same panel from HamlibRadio.dll over the dummy
#                         rig of a rigctld on 127.0.0.1 (when rigctld is here)
#
#   scripts/screenshots.sh [BUILD]     (default build; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
out=docs/screenshots
readonly kCall=K9XYZ kName=ANN
[ -x "$build/program/talvex" ] || { echo "screenshots: no program in $build/program (build first)"; exit 1; }

source scripts/xsession.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/talvex-shots.XXXXXX")
talvex_pid=""
trap 'stop_all; rm -rf "$work"' EXIT
fail() { echo "screenshots: $*"; exit 1; }

fresh_program "$build" "$work"
printf '%s,%s,1234,FOC\n' "$kCall" "$kName" >"$program/Documents/Talvex_NAMES.txt"
export TALVEX_INSTANCE_NAME="talvex-shots-$$"
start_display "$work" || fail "Xvfb did not start"
start_openbox "$work" || fail "openbox did not start"
mkdir -p "$out"

# shot NAME: the screen, cut to what is drawn on it (the background is black).
shot() {
  sleep 0.7  # let the last repaint land
  import -display "$DISPLAY" -window root "$work/raw.png"
  convert "$work/raw.png" -bordercolor black -border 1 -fuzz 2% -trim +repage \
    -bordercolor '#202020' -border 8 "$out/$1.png"
  echo "screenshots: $out/$1.png"
}

# click_in WINDOW X Y: a click at X,Y of the window's client area.
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

start_talvex 1
wait_for 20 window_of '^Resuming selected items from previous session$' || fail "no resume dialog"
dialog=$(window_of '^Resuming selected items from previous session$')
xdotool windowactivate --sync "$dialog"
shot 01-first-start

xdotool key --clearmodifiers Return
wait_for 20 log_has 1 "radio connected" || fail "Return did not connect the radio"
main=$(window_of '^Talvex de ') || fail "no main window"
xdotool windowactivate --sync "$main"
shot 02-connected

# The invitation sits over the radio's picture, below the key row.
click_in "$main" 459 135
sleep 1
shot 03-soft-panel

xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers ctrl+k
wait_for 10 window_of 'Keyboard' || true
# Messaging > Show Message Buttons.
click_in "$main" 255 10
sleep 0.3
xdotool key --clearmodifiers Down Down Down Down Return
sleep 1
shot 04-messages
xdotool key --clearmodifiers ctrl+k

xdotool windowactivate --sync "$main"
xdotool type --delay 60 "$kCall"
sleep 1
shot 05-contact

xdotool key --clearmodifiers F7
log="$program/Logs/Dravel_DEFAULTLOG.txt"
wait_for 10 test -s "$log" || fail "F7 wrote no line to $log"
convert -background white -fill black -font DejaVu-Sans-Mono -pointsize 16 \
  label:"Logs/Dravel_DEFAULTLOG.txt

$(cat "$log")" -bordercolor white -border 12 "$out/06-log-file.png"
echo "screenshots: $out/06-log-file.png"

command -v rigctld >/dev/null && [ -f "$program/Devices/HamlibRadio.dll" ] || exit 0
# "Varo" pointed at HamlibRadio.dll and Hamlib's dummy rig behind rigctld.
kill "$talvex_pid"
wait "$talvex_pid" || true
forget "$talvex_pid"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
sed -i 's/^RADIO=Varo,VaroSim.dll/#&/' "$program/Devices/Dravel_DEVICES.txt"
echo "RADIO=Varo,HamlibRadio.dll,19200,2,127.0.0.1:$port,RIG,250" >>"$program/Devices/Dravel_DEVICES.txt"
rigctld -m 1 -T 127.0.0.1 -t "$port" >"$work/rigctld.log" 2>&1 &
pids+=($!)
start_talvex 2
wait_for 20 window_of '^Resuming selected items from previous session$' || fail "no resume dialog (Hamlib)"
xdotool windowactivate --sync "$(window_of '^Resuming selected items from previous session$')"
xdotool key --clearmodifiers Return
wait_for 20 log_has 2 "radio connected" || fail "Return did not connect the Hamlib radio"
main=$(window_of '^Talvex de ') || fail "no main window"
xdotool windowactivate --sync "$main"
click_in "$main" 459 135
sleep 2  # the panel takes the dummy rig's abilities once it answers
shot 07-hamlib-panel
