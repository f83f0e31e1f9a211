#!/bin/bash
# The hardening checks, run by scripts/test-all.sh:
#  1. the native unit tests (and the command-line contract) built with clang
#     under AddressSanitizer and UndefinedBehaviorSanitizer (preset
#     "sanitize"), leaks included;
#  2. every libFuzzer target for a bounded time (FUZZ_SECONDS each, default
#     45, two at a time on two cores);
#  3. the benchmarks are built (not run) when Google Benchmark is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
start=$(date +%s)

echo "== unit tests under ASan and UBSan"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs"

echo "== fuzzing"
bash scripts/fuzz-long.sh "${FUZZ_SECONDS:-45}"

if [ -f /usr/lib/x86_64-linux-gnu/cmake/benchmark/benchmarkConfig.cmake ] ||
   [ -f /usr/lib/cmake/benchmark/benchmarkConfig.cmake ]; then
  echo "== benchmarks (built, not run: scripts/bench.sh runs them)"
  cmake --preset bench >/dev/null
  cmake --build --preset bench -j"$jobs" --target tvz_benchmarks >/dev/null
fi
echo "hardening took $(( $(date +%s) - start ))s"
