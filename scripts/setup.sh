#!/bin/bash
# Installs, with apt-get, what the build needs and is missing.
#   scripts/setup.sh native   the command line on Linux (compiler, CMake, ICU)
#   scripts/setup.sh package  the Windows release (32-bit cross build, help
#                             compiler, zip)
#   scripts/setup.sh all      everything the tests need: native tests, the
#                             independent dBase readers, the Windows cross
#                             builds (64- and 32-bit), Wine (with its 32-bit
#                             half, wine32 from the i386 architecture) and
#                             Xvfb, the help compiler
set -euo pipefail

profile=${1:-all}
native=(g++ make cmake pkg-config libicu-dev)
tests=(googletest libgtest-dev libbenchmark-dev time python3-dbfread python3-dbf gdal-bin)
windows=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 wine32:i386 fonts-wine
         fonts-liberation xvfb xauth x11-apps imagemagick fp-utils libchm-bin zip unzip clang)
package=(make cmake googletest g++-mingw-w64-i686 fp-utils zip unzip)
case "$profile" in
  native) wanted=("${native[@]}") ;;
  package) wanted=("${package[@]}") ;;
  all) wanted=("${native[@]}" "${tests[@]}" "${windows[@]}") ;;
  *) echo "usage: $0 native|package|all" >&2; exit 64 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "setup: installing ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# wine32 comes from the i386 architecture, which apt must know before the
# update.
for p in "${missing[@]}"; do
  if [[ $p == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture" >&2
    $sudo dpkg --add-architecture i386
  fi
done
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
