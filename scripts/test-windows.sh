#!/bin/bash
# Builds the Windows program and runs its tests under Wine: the unit tests,
# the command line's contract, the window's tests and the end-to-end
# scenarios, which need an X server: the script runs itself under xvfb-run.
#
#   scripts/test-windows.sh [all|windows|windows32] [ctest options]
#
# "windows" is the 64-bit build (preset windows) in a 64-bit Windows,
# "windows32" the 32-bit build that is shipped (preset windows32) in a 32-bit
# Windows, and then the command line and two end-to-end runs of it again in a
# 64-bit Windows (WoW64); "all", the default, runs both, the 32-bit one only
# where 32-bit Wine (wine32) is installed.
#
# Needs the Debian packages g++-mingw-w64-x86-64 g++-mingw-w64-i686 cmake
# make googletest wine wine64 wine32:i386 fonts-wine fonts-liberation xvfb
# xauth (and fp-utils for the help). Every build gets a new Wine prefix in a
# temp dir; nothing is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/wine-env.sh
under_xvfb "$0" "$@"
trap wine_stop EXIT

builds=(windows windows32)
case "${1:-}" in
  all) shift ;;
  windows|windows32) builds=("$1"); shift ;;
esac

native_cli="$PWD/build/native/src/transvardelzarp"

# The 32-bit build's runs in a 64-bit Windows.
wow64_tests='^(cli\.contract|e2e\.export_finished|e2e\.import_finished)$'

# test_build <preset> <Wine architecture> [ctest options]
test_build() {
  local preset=$1 arch=$2; shift 2
  local start
  start=$(date +%s)
  echo "== $preset: configure and build"
  # The native command line, where it is built, is tested against tables that
  # a Windows program holds under Wine.
  if [ -x "$native_cli" ]; then
    cmake --preset "$preset" -DTVZ_NATIVE_CLI="$native_cli" >/dev/null
  else
    echo "(no native build: the native command line is not tested against Wine holders)"
    cmake --preset "$preset" -UTVZ_NATIVE_CLI >/dev/null
  fi
  cmake --build --preset "$preset" -j2

  echo "== $preset: Wine prefix ($arch)"
  wine_arch "$arch"
  wine_prefix_new
  wine_start
  echo "prefix $WINEPREFIX ready after $(( $(date +%s) - start )) s"

  echo "== $preset: tests under Wine"
  local status=0
  wine_env ctest --preset "$preset" --timeout 120 "$@" || status=$?
  wine_stop
  if [ "$arch" = win32 ]; then
    echo "== $preset: again in a 64-bit Windows (WoW64)"
    wine_arch win64
    wine_prefix_new
    wine_start
    wine_env ctest --preset "$preset" --timeout 120 -R "$wow64_tests" "$@" || status=$?
    wine_stop
  fi
  echo "== $preset: $(( $(date +%s) - start )) s"
  return $status
}

status=0
for preset in "${builds[@]}"; do
  if [ "$preset" = windows ]; then
    test_build windows win64 "$@" || status=1
  elif wine_has_32bit; then
    test_build windows32 win32 "$@" || status=1
  else
    echo "== windows32: not tested, 32-bit Wine (wine32:i386) is not installed" >&2
  fi
done
exit $status
