#!/usr/bin/env bash
# Builds the fuzz targets with clang, ASan and UBSan (in ./build-sanitize, or
# $GLOSSMARK_SANITIZE_BUILD) and runs each for SECONDS (default 60) on its
# committed corpus and dictionary. New inputs go to the build folder, never into
# the repository; a crash leaves its input there and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${GLOSSMARK_SANITIZE_BUILD:-build-sanitize}
source scripts/sanitize-configure.sh

names=()
for dict in tests/fuzz/*.dict; do
  names+=("$(basename "$dict" .dict)")
done
cmake --build "$build" -j "$(nproc)" --target "${names[@]/#/glossmark_fuzz_}"

failed=()
for name in "${names[@]}"; do
  work="$build/fuzz/$name"
  mkdir -p "$work/corpus" "$work/findings"
  echo "== $name: $seconds s"
  # Each input may take 10 s, the whole process 2 GB; the committed corpus is read, new
  # inputs are kept in the build folder for the next run.
  if ! "$build/tests/fuzz/glossmark_fuzz_$name" "$work/corpus" "tests/fuzz/corpus/$name" \
      -dict="tests/fuzz/$name.dict" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/findings/" -print_final_stats=1 >"$work/log.txt" 2>&1; then
    failed+=("$name")
    tail -n 40 "$work/log.txt"
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$work/log.txt" | tr '\n' ' ' || true
  echo
done
if ((${#failed[@]} > 0)); then
  echo "fuzzing found problems in: ${failed[*]} (inputs in $build/fuzz/NAME/findings)" >&2
  exit 1
fi
