#!/bin/bash
# The hardening checks, run by scripts/test-all.sh:
#  1. the native unit tests (and the command-line contract) built with clang
#     under AddressSanitizer and UndefinedBehaviorSanitizer (preset
#     "sanitize"), leaks included;
#  2. every libFuzzer target for a bounded time (FUZZ_SECONDS each, default
#     30, two at a time on two cores).
# Both stages run; the status is 1 when either failed. (The benchmarks are
# built with the native tests.)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/test-summary.sh
jobs=$(nproc)
start=$(date +%s)
status=0

echo "== unit tests under ASan and UBSan"
if cmake --preset sanitize >/dev/null && cmake --build --preset sanitize -j"$jobs"; then
  ctest_stage sanitizers --preset sanitize -j"$jobs" || status=1
else
  summary_add sanitizers 0 1 "the build failed"
  status=1
fi

echo "== fuzzing"
bash scripts/fuzz-long.sh "${FUZZ_SECONDS:-30}" || status=1
echo "hardening took $(( $(date +%s) - start ))s"
exit $status
