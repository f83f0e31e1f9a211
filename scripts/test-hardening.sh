#!/bin/bash
# The hardening checks, run by scripts/test-all.sh:
#  1. the native unit tests (and the command-line contract) built with clang
#     under AddressSanitizer and UndefinedBehaviorSanitizer (preset
#     "sanitize"), leaks included;
#  2. every libFuzzer target for a bounded time (FUZZ_SECONDS each, default
#     45, two at a time on two cores);
#  3. the benchmarks are built (not run) when Google Benchmark is installed.
# Both stages run; the status is 1 when either failed.
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
bash scripts/fuzz-long.sh "${FUZZ_SECONDS:-45}" || status=1

if [ -f /usr/lib/x86_64-linux-gnu/cmake/benchmark/benchmarkConfig.cmake ] ||
   [ -f /usr/lib/cmake/benchmark/benchmarkConfig.cmake ]; then
  echo "== benchmarks (built, not run: scripts/bench.sh runs them)"
  cmake --preset bench >/dev/null
  if ! cmake --build --preset bench -j"$jobs" --target tvz_benchmarks >/dev/null; then
    summary_add benchmarks 0 1 "the build failed"
    status=1
  fi
fi
echo "hardening took $(( $(date +%s) - start ))s"
exit $status
