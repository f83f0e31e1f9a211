#!/bin/bash
# Installs, with apt-get, what the build needs and is missing.
#   scripts/setup.sh native   the command line on Linux (compiler, CMake, ICU,
#                             Boost's header-only hash tables) and its manual
#                             page (help2man, the locale sources for its
#                             Spanish headings, man-db to read it)
#   scripts/setup.sh package  the Windows release (32-bit cross build, help
#                             compiler, zip)
#   scripts/setup.sh deb      the Linux release: the native build, and what
#                             makes and checks the Debian package (dpkg-dev
#                             and file for its dependencies, lintian; python3
#                             for the command line's contract)
#   scripts/setup.sh all      everything the tests need: native tests, the
#                             independent dBase readers, the Windows cross
#                             builds (64- and 32-bit), Wine (with its 32-bit
#                             half, wine32 from the i386 architecture) and
#                             Xvfb, the help compiler
set -euo pipefail

profile=${1:-all}
native=(g++ make cmake pkg-config libicu-dev libboost1.81-dev help2man locales man-db)
tests=(googletest libgtest-dev libbenchmark-dev time python3-dbfread python3-dbf gdal-bin strace)
windows=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 fonts-wine fonts-liberation
         xvfb xauth x11-apps imagemagick fp-utils libchm-bin zip unzip clang)
# 32-bit Wine, for the tests of the 32-bit build: where it cannot be had or
# cannot run (scripts/wine-env.sh asks the loader itself), those tests are
# left out (scripts/test-windows.sh says so) and the rest goes on.
# TVZ_WINE32=no: not even installed.
wine32=(wine32:i386)
[ "${TVZ_WINE32:-}" != no ] || wine32=()
package=(make cmake libboost1.81-dev googletest g++-mingw-w64-i686 fp-utils zip unzip)
deb=(dpkg-dev file lintian python3)
optional=()
case "$profile" in
  native) wanted=("${native[@]}") ;;
  package) wanted=("${package[@]}") ;;
  deb) wanted=("${native[@]}" "${deb[@]}") ;;
  all) wanted=("${native[@]}" "${tests[@]}" "${windows[@]}"); optional=("${wine32[@]}") ;;
  *) echo "usage: $0 native|package|deb|all" >&2; exit 64 ;;
esac

is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=(); missing_optional=()
for p in "${wanted[@]}"; do is_installed "$p" || missing+=("$p"); done
for p in "${optional[@]}"; do is_installed "$p" || missing_optional+=("$p"); done
if [ ${#missing[@]} -eq 0 ] && [ ${#missing_optional[@]} -eq 0 ]; then
  exit 0
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# wine32 comes from the i386 architecture, which apt must know before the
# update.
if [ ${#missing_optional[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture" >&2
  $sudo dpkg --add-architecture i386 || echo "setup: could not add the i386 architecture" >&2
fi
$sudo apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if [ ${#missing_optional[@]} -gt 0 ]; then
  echo "setup: installing ${missing_optional[*]}" >&2
  $sudo apt-get install -y -qq --no-install-recommends "${missing_optional[@]}" >/dev/null ||
    echo "setup: ${missing_optional[*]} could not be installed; the 32-bit build is not tested" >&2
fi
