#!/usr/bin/env bash
# Builds the fuzz targets (build-fuzz, clang, TALVEX_FUZZ=ON) and runs each
# for SECONDS (default 60), or until RUNS inputs when given, on a copy of
# its seed corpus in tests/fuzz/corpus/<target>/. Prints executions,
# seconds and crashes per target; an input that crashes is kept in
# build-fuzz/crashes/<target>/. Exits non-zero when any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
runs=${2:--1}
dir=build-fuzz

launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" -DTALVEX_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
nice -n 5 cmake --build "$dir" -j"$(nproc 2>/dev/null || echo 2)"

jobs=$(nproc 2>/dev/null || echo 2)

# fuzz_one TARGET: one target's run; its summary line goes to its .result file.
fuzz_one() {
  local target=$1 corpus=tests/fuzz/corpus/$1
  local work=$dir/fuzz-work/$target crashes=$dir/crashes/$target log=$dir/fuzz-$target.log
  rm -rf "$work"; mkdir -p "$work" "$crashes"
  cp "$corpus"/* "$work"/
  local start=$SECONDS status=0
  "$dir/tests/fuzz/fuzz_$target" "$work" -runs="$runs" -max_total_time="$seconds" \
    -artifact_prefix="$crashes/" -print_final_stats=1 >"$log" 2>&1 || status=$?
  local execs found
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  found=$(find "$crashes" -type f | wc -l)
  if ((status != 0)); then ((found > 0)) || found=1; fi
  printf '%-14s %12s %8s %8s\n' "$target" "${execs:-?}" $((SECONDS - start)) "$found" >"$dir/fuzz-$target.result"
  echo "$status" >"$dir/fuzz-$target.status"
}

# The targets run side by side, one per core.
targets=()
for corpus in tests/fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
  fuzz_one "$target" &
done
wait

failed=0
printf '%-14s %12s %8s %8s\n' target executions seconds crashes
for target in "${targets[@]}"; do
  cat "$dir/fuzz-$target.result"
  if [ "$(cat "$dir/fuzz-$target.status")" != 0 ]; then
    failed=1
    tail -n 40 "$dir/fuzz-$target.log"
  fi
done
exit $failed
