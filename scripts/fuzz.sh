#!/usr/bin/env bash
# Builds the fuzz targets with clang++ (preset "fuzz") and runs each for a
# bounded time (FUZZ_SECONDS, default 20) on a copy of its seed corpus, so the
# committed corpus never changes. Inputs that fail are kept in
# build/fuzz/findings/NAME/ to become regression seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found; the fuzz targets were skipped"
  exit 0
fi
seconds=${FUZZ_SECONDS:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
for source in fuzz/fuzz_*.cpp; do
  target=$(basename "$source" .cpp)
  name=${target#fuzz_}
  run="$work/$name"
  mkdir -p "$run/corpus" "$run/artifacts"
  cp -R "fuzz/corpus/$name/." "$run/corpus/"
  # The sheet decoder must refuse huge sizes itself: a refused allocation is no finding.
  if ASAN_OPTIONS=allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$run/artifacts/" "$run/corpus" >"$run/log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log")
    echo "fuzz: $target: ${runs:-?} inputs in ${seconds} s, no finding"
    passed=$((passed + 1))
  else
    echo "fuzz: $target FAILED; its log ends:"
    tail -n 40 "$run/log"
    mkdir -p "build/fuzz/findings/$name"
    cp "$run/artifacts/"* "build/fuzz/findings/$name/" 2>/dev/null || true
    echo "fuzz: failing inputs kept in build/fuzz/findings/$name/"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
