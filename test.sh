#!/usr/bin/env bash
# Builds Talvex and runs every test twice: once plain, once built with
# AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

scripts/deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

run_suite() {
  local dir=$1; shift
  echo "== building in $dir =="
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  echo "== testing in $dir =="
  (cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure)
}

run_suite build
run_suite build-asan -DTALVEX_SANITIZE=ON
echo "All tests passed (plain and sanitizer builds)."
