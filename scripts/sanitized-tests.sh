#!/usr/bin/env bash
# The model, the checks and the command-line tool once more under ASan and UBSan:
# their tests, then SECONDS (default 30) of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${GLOSSMARK_SANITIZE_BUILD:-build-sanitize}
source scripts/sanitize-configure.sh
cmake --build "$build" -j "$(nproc)" --target glossmark_model_tests glossmark_checks_tests \
  glossmark_tools_tests glossmark_fuzz_corpus_tests
export QT_QPA_PLATFORM=offscreen
# Leaks of a test process are not what this run looks for; undefined behaviour stops it.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for tests in model/glossmark_model_tests checks/glossmark_checks_tests tools/glossmark_tools_tests \
    fuzz/glossmark_fuzz_corpus_tests; do
  echo "== $tests"
  "$build/tests/$tests" --gtest_brief=1
done
scripts/fuzz.sh "$seconds"
