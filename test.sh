#!/usr/bin/env bash
# Builds Talvex and runs every test twice: once plain (then the real program
# end to end, scripts/e2e.sh), once built with
# AddressSanitizer and UndefinedBehaviorSanitizer; then the tests of the
# layers with threads a third time, built with ThreadSanitizer; last, a
# short run of every fuzz target (clang, libFuzzer). The crash, disk-full and
# input-size trials (test_trials) run in the plain and address sanitizer
# builds like any other test. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

# run_suite DIR CTEST-REGEX TARGETS CMAKE-ARGS...: builds TARGETS (a
# space-separated list; empty for all) in DIR and runs the tests whose names
# match (all for an empty regex), two at a time on two cores.
run_suite() {
  local dir=$1 select=$2 targets=$3; shift 3
  echo "== building in $dir =="
  cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
  # shellcheck disable=SC2086
  cmake --build "$dir" -j"$jobs" ${targets:+--target $targets}
  echo "== testing in $dir =="
  (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest -j"$jobs" --output-on-failure ${select:+-R "$select"})
}

# The sanitizer builds trade optimisation and full debug information (which
# only slow the build) for -O1 and line tables, enough for every report.
sanitizer_flags=(-DTALVEX_BENCH=OFF
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG")

run_suite build "" ""
# The real program end to end: a whole contact driven by key presses and
# clicks under Xvfb and a window manager (scripts/e2e.sh), on the plain build.
echo "== end to end in build =="
timeout 180 scripts/e2e.sh build
run_suite build-asan "" "" -DTALVEX_SANITIZE=ON "${sanitizer_flags[@]}"
# Every layer that runs threads, and only those are built: the platform's
# threads and hand-overs, the radio objects, the serial logging reader, the
# application (its hand-overs and the program itself), the radio libraries;
# of the main window's tests, only its thread tests (test_mainform_threads).
run_suite build-tsan '^test_(platform|radio|serial|app|radios|radios_hamlib|mainform_threads)$' \
  "test_platform test_radio test_serial test_app test_radios test_mainform" \
  -DTALVEX_TSAN=ON "${sanitizer_flags[@]}"
# Every fuzz target from its seed corpus, 20000 inputs or 60 s each.
echo "== fuzzing in build-fuzz =="
scripts/fuzz.sh 60 20000
echo "All tests passed (plain, address and thread sanitizer builds, fuzz smoke runs)."
