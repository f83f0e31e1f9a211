#!/bin/bash
# Installs what is missing, builds, and runs every test: the native suite
# (unit, command line, interoperability with independent dBase readers), the
# sanitizer build and the fuzz targets, then the Windows program
# cross-compiled and tested under Wine and Xvfb. Every stage runs even when
# an earlier one failed; the end is a summary, one line per stage (its
# counts, or why it was skipped) and the totals, and the status is 1 when
# anything failed.
#
# TVZ_WINE32=no (or yes) forces the answer to "can this machine run 32-bit
# programs?", which otherwise is found by running the 32-bit Wine loader.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

bash scripts/setup.sh all
jobs=$(nproc)
TVZ_SUMMARY=$(mktemp)
export TVZ_SUMMARY
trap 'rm -f "$TVZ_SUMMARY"' EXIT
. scripts/test-summary.sh
status=0

echo "== native build and tests"
stage_start=$(date +%s)
# The benchmarks are built (not run: scripts/bench.sh runs them) in the same
# tree, so that they keep compiling without a build of their own.
bench=()
if [ -f /usr/lib/x86_64-linux-gnu/cmake/benchmark/benchmarkConfig.cmake ] ||
   [ -f /usr/lib/cmake/benchmark/benchmarkConfig.cmake ]; then
  bench=(-DTVZ_BENCH=ON)
fi
if cmake --preset native "${bench[@]}" >/dev/null && cmake --build --preset native -j"$jobs"; then
  ctest_stage native --preset native -j"$jobs" || status=1
else
  summary_add native 0 1 "the build failed"
  status=1
fi
echo "native took $(( $(date +%s) - stage_start )) s"

echo "== sanitizers and fuzzing"
bash scripts/test-hardening.sh || status=1

echo "== Windows build, tests under Wine"
bash scripts/test-windows.sh || status=1

echo
summary_print || status=1
echo "all tests took $(( $(date +%s) - start )) s"
exit $status
