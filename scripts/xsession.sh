# Sourced by run.sh, scripts/e2e.sh and scripts/screenshots.sh: a virtual X
# display (Xvfb) with the openbox window manager, and the processes started
# beside it, each stopped by its process id.
#
#   pids              every process started, in the order started
#   wait_for S CMD... runs CMD every 0.1 s until it succeeds, at most S seconds
#   start_display DIR starts Xvfb on a free display (it picks the number
#                     itself) and exports DISPLAY; DIR keeps its output
#   start_openbox DIR starts openbox and waits until it manages the screen
#   stop_all          stops every process started, newest first
#   forget PID        a process that has ended is not stopped again
#
# And Talvex on that display:
#   fresh_program BUILD WORK   copies BUILD/program to WORK/program (exported
#                     as program) with the data set as shipped, and points
#                     HOME and the XDG folders into WORK
#   start_talvex N    starts it; its output goes to WORK/talvex-N.log
#   log_has N TEXT    whether that output holds TEXT
#   window_of REGEX   its visible window with a title matching REGEX

pids=()

wait_for() {
  local limit=$(($1 * 10)) n=0
  shift
  until "$@" >/dev/null 2>&1; do
    ((++n > limit)) && return 1
    sleep 0.1
  done
}

start_display() {
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$1/display" >"$1/xvfb.log" 2>&1 &
  pids+=($!)
  wait_for 20 grep -q '[0-9]' "$1/display" || return 1
  export DISPLAY=":$(tr -dc '0-9' <"$1/display")"
  export QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
}

start_openbox() {
  openbox --sm-disable >"$1/openbox.log" 2>&1 &
  pids+=($!)
  wait_for 20 sh -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
}

stop_all() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  pids=()
}

forget() {
  local kept=() pid
  for pid in "${pids[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
  pids=("${kept[@]}")
}

fresh_program() {
  program="$2/program"
  cp -a "$1/program" "$program"
  rm -rf "$program/Logs" "$program/Documents"
  rm -f "$program"/Dravel_RESTART.txt "$program"/Talvex_RESTART_B.txt "$program"/Dravel_RADIORESTART.txt \
    "$program"/Dravel_MSGTEMPLATE.txt "$program"/Devices/Dravel_PORTS.txt
  cmake -DSOURCE="$PWD/dist" -DDEST="$program" -P cmake/LayOutDataSet.cmake
  mkdir -p "$2/home" "$2/run"
  chmod 700 "$2/run"
  export HOME="$2/home" XDG_RUNTIME_DIR="$2/run" XDG_CONFIG_HOME="$2/home/.config" \
    XDG_DATA_HOME="$2/home/.local/share" XDG_CACHE_HOME="$2/home/.cache"
  talvex_work=$2
}

start_talvex() {
  (cd "$program" && exec ./talvex) >"$talvex_work/talvex-$1.log" 2>&1 &
  talvex_pid=$!
  pids+=("$talvex_pid")
}

log_has() { grep -qF -- "$2" "$talvex_work/talvex-$1.log"; }

window_of() {
  xdotool search --all --onlyvisible --pid "$talvex_pid" --name "$1" 2>/dev/null | head -n 1 | grep .
}
