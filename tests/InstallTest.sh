#!/usr/bin/env bash
# The installed program: cmake --install into a scratch prefix gives the
# Debian layout, menu entry, icon and AppStream data pass their validators,
# and the executable started through bin/talvex fills the user's folder and
# writes there, never into the installed tree (later starts:
# tests/data/ProgramDirectoryTest.cpp).   InstallTest.sh <build dir> <scratch dir>
set -euo pipefail
build=$1
work=$2
prefix=$work/prefix
rm -rf "$work"
mkdir -p "$work/xdg" "$work/runtime"
chmod 700 "$work/runtime"

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

id=org.example.talvex
for f in lib/talvex/talvex lib/talvex/Devices/VaroSim.dll share/talvex/Dravel_INI.txt \
         share/talvex/Devices/Dravel_DEVICES.txt share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/icons/hicolor/128x128/apps/$id.png; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
[ "$(readlink -f "$prefix/bin/talvex")" = "$(readlink -f "$prefix/lib/talvex/talvex")" ] ||
  fail "bin/talvex does not lead to lib/talvex/talvex"
if ls "$prefix/lib/talvex/Devices" | grep -v -e '^VaroSim.dll$' -e '^HamlibRadio.dll$'; then
  fail "libraries other than the program's radios are installed"
fi
grep -q '^Exec=talvex$' "$prefix/share/applications/$id.desktop" || fail "the menu entry does not start talvex"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
else
  echo "SKIPPED: desktop-file-validate is missing (scripts/deps.sh installs desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
else
  echo "SKIPPED: appstreamcli is missing (scripts/deps.sh installs appstream)"
fi

# Starts the installed program until its window shows, then ends it as a
# logout does; it writes its files on the way out.
run_program() {
  local log=$work/run.log
  XDG_DATA_HOME=$work/xdg XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/talvex" >"$log" 2>&1 &
  local pid=$!
  for _ in $(seq 300); do
    grep -qs "main window shown" "$log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q "main window shown" "$log" || { kill -KILL "$pid" 2>/dev/null; cat "$log"; fail "no window"; }
  kill -TERM "$pid"
  local rc=0
  wait "$pid" || rc=$?
  [ "$rc" -eq 0 ] || { cat "$log"; fail "the program ended with $rc"; }
}

touch "$work/installed"
run_program
user=$work/xdg/talvex
for f in Dravel_INI.txt Devices/VaroSim.dll Devices/Dravel_DEVICES.txt Documents/Talvex_NAMES.txt \
         Dravel_MSGTEMPLATE.txt; do
  [ -f "$user/$f" ] || fail "the user's folder lacks $f"
done
[ "$(tail -c 23 "$user/Dravel_RESTART.txt")" = "END_OF_RESTART_FILE=YES" ] || fail "no restart file in the user's folder"
[ -z "$(find "$prefix" -newer "$work/installed" -print)" ] || fail "the program wrote into the installed tree"

rm -rf "$work"
echo "installed program: OK"
