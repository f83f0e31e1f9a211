#!/bin/bash
# Installs what is missing, builds, and runs every test: the native suite
# (unit, command line, interoperability with independent dBase readers), the
# sanitizer build, then the Windows program cross-compiled and tested under
# Wine and Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh all
jobs=$(nproc)

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"

if [ -x scripts/test-hardening.sh ]; then
  echo "== sanitizers and fuzzing"
  bash scripts/test-hardening.sh
fi

echo "== Windows build, tests under Wine"
bash scripts/test-windows.sh
