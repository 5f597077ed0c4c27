#!/bin/bash
# Runs the libFuzzer targets of the `fuzz` preset, each for SECONDS, on a
# working copy of its seed corpus. A finding is left in out/fuzz/<target>/
# and makes the script fail.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_configuration fuzz_scenario fuzz_bitmap fuzz_requests)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
status=0
for target in "${targets[@]}"; do
  work=$root/out/fuzz/$target
  mkdir -p "$work/corpus"
  echo "fuzzing $target for ${seconds}s"
  # Paths are absolute: the targets work in a scratch folder of their own.
  if ! "$root/build/fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1500 \
      -max_len=16000 -print_final_stats=1 -artifact_prefix="$work/" \
      "$work/corpus" "$root/fuzz/corpus/$target" >"$work/log" 2>&1; then
    echo "$target: finding in $work (see $work/log)"
    tail -n 40 "$work/log"
    status=1
  fi
  grep -E "stat::number_of_executed_units|cov:" "$work/log" | tail -n 2 || true
done
exit $status
