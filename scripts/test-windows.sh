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
# The native command line, where it is built, is tested against tables that
# a Windows program holds under Wine.
native_cli="$PWD/build/native/src/transvardelzarp"
if [ -x "$native_cli" ]; then
  cmake --preset windows -DTVZ_NATIVE_CLI="$native_cli" >/dev/null
else
  echo "(no native build: the native command line is not tested against Wine holders)"
  cmake --preset windows -UTVZ_NATIVE_CLI >/dev/null
fi
cmake --build --preset windows -j2

echo "== windows: Wine prefix"
wine_prefix_new
wine_start
echo "prefix $WINEPREFIX ready after $(( $(date +%s) - start )) s"

echo "== windows: tests under Wine"
wine_env ctest --preset windows --timeout 120 "$@"
