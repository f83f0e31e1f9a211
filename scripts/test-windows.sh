#!/bin/bash
# Builds the Windows program (preset "windows": mingw-w64, static) and runs
# its tests under Wine: the unit tests, the window's tests and the end-to-end
# scenarios, which need an X server: the script runs itself under xvfb-run.
#
# Needs the Debian packages g++-mingw-w64-x86-64 cmake make googletest wine
# wine64 fonts-wine fonts-liberation xvfb xauth (and fp-utils for the help).
# Every run gets a new Wine prefix in a temp dir; nothing is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/wine-env.sh
under_xvfb "$0" "$@"
trap wine_stop EXIT

start=$(date +%s)
echo "== windows: configure and build"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2

echo "== windows: Wine prefix"
wine_prefix_new
wine_start
echo "prefix $WINEPREFIX ready after $(( $(date +%s) - start )) s"

echo "== windows: tests under Wine"
wine_env ctest --preset windows --timeout 120 "$@"
