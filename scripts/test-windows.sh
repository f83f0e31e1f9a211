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
# where this machine runs 32-bit Wine (scripts/wine-env.sh asks the 32-bit
# loader itself; TVZ_WINE32=yes|no forces the answer).
#
# Needs the Debian packages g++-mingw-w64-x86-64 g++-mingw-w64-i686 cmake
# make googletest wine wine64 fonts-wine fonts-liberation xvfb xauth (and
# fp-utils for the help), and wine32:i386 for the 32-bit build. Every build
# gets a new Wine prefix in a temp dir; nothing is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/wine-env.sh
. scripts/test-summary.sh
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

# build <preset>: configure and build; false when either failed.
build() {
  local preset=$1
  echo "== $preset: configure and build"
  # The native command line, where it is built, is tested against tables that
  # a Windows program holds under Wine.
  if [ -x "$native_cli" ]; then
    cmake --preset "$preset" -DTVZ_NATIVE_CLI="$native_cli" >/dev/null || return 1
  else
    echo "(no native build: the native command line is not tested against Wine holders)"
    cmake --preset "$preset" -UTVZ_NATIVE_CLI >/dev/null || return 1
  fi
  cmake --build --preset "$preset" -j2
}

# under_wine <stage> <Wine architecture> <ctest options...>: the tests in a
# new prefix of that architecture.
under_wine() {
  local stage=$1 arch=$2 start status=0
  shift 2
  start=$(date +%s)
  wine_arch "$arch"
  wine_prefix_new
  wine_start
  echo "prefix $WINEPREFIX ($arch) ready after $(( $(date +%s) - start )) s"
  wine_env ctest_stage "$stage" "$@" || status=$?
  wine_stop
  return $status
}

# test_build <preset> <stage> <Wine architecture> [ctest options]
test_build() {
  local preset=$1 stage=$2 arch=$3 start status=0
  shift 3
  start=$(date +%s)
  if ! build "$preset"; then
    summary_add "$stage" 0 1 "the build failed"
    [ "$arch" = win32 ] && summary_skip WoW64 "the 32-bit build failed"
    return 1
  fi
  echo "== $preset: tests under Wine"
  under_wine "$stage" "$arch" --preset "$preset" --timeout 120 "$@" || status=1
  if [ "$arch" = win32 ]; then
    echo "== $preset: again in a 64-bit Windows (WoW64)"
    under_wine WoW64 win64 --preset "$preset" --timeout 120 -R "$wow64_tests" "$@" || status=1
  fi
  echo "== $preset: $(( $(date +%s) - start )) s"
  return $status
}

status=0
for preset in "${builds[@]}"; do
  if [ "$preset" = windows ]; then
    test_build windows "Windows 64-bit" win64 "$@" || status=1
  elif wine_has_32bit; then
    test_build windows32 "Windows 32-bit" win32 "$@" || status=1
  else
    why="$TVZ_WINE32_WHY; the 32-bit build (the one shipped) was not tested under Wine"
    echo "== windows32: skipped: $why" >&2
    summary_skip "Windows 32-bit" "$why"
    summary_skip WoW64 "$TVZ_WINE32_WHY; the 32-bit build was not run in a 64-bit Windows"
  fi
done
exit $status
