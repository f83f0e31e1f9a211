#!/bin/bash
# Makes the Linux release: dist/transvardelzarp_VERSION_ARCH.deb, the command
# line with its manual page, bash completion and documents (cmake/linux).
# VERSION is the CMake project version. Installs what is missing first.
#
# The program is built as Debian builds its packages (the flags of
# dpkg-buildflags, with all the hardening), and the package's dependencies
# come from its libraries (dpkg-shlibdeps). Before the package goes to dist/
# it is checked:
#   - its tree (dpkg -x) as an installation: tests/install/check_installed.sh,
#     with the command line's contract run on the installed program;
#   - lintian: no error, and no warning but the ones listed below.
#
# SOURCE_DATE_EPOCH (by default the time of the last commit) dates the
# changelog and the manual page, so that the same sources make the same
# package. TVZ_DEB_MAINTAINER="Name <address>" names the maintainer.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

# The warnings lintian may leave, each with why it stays. None today: a
# warning that appears stops the release until it is mended or listed here
# as [tag]="why". (Lintian's one remark, an info, not a warning: the
# compiler's .comment section is left in the binary by CPack's strip.)
declare -A allowed_warnings=(
)

bash scripts/setup.sh deb

version=$(sed -n 's/^project(transVardelZarp VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no project version in CMakeLists.txt" >&2; exit 1; }
deb=transvardelzarp_${version}_$(dpkg --print-architecture).deb
build=build/deb

if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git rev-parse --git-dir >/dev/null 2>&1; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
options=(-DCMAKE_BUILD_TYPE=Release -DTVZ_BUILD_TESTS=OFF -DTVZ_BUILD_HELP=OFF
         -DCMAKE_INSTALL_PREFIX=/usr
         "-DCMAKE_C_FLAGS=$(flags CPPFLAGS) $(flags CFLAGS)"
         "-DCMAKE_CXX_FLAGS=$(flags CPPFLAGS) $(flags CXXFLAGS)"
         "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)")
[ -z "${TVZ_DEB_MAINTAINER:-}" ] || options+=("-DTVZ_DEB_MAINTAINER=$TVZ_DEB_MAINTAINER")
if command -v ccache >/dev/null; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
echo "== package: configure and build (Release, Debian's build flags)"
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j2

echo "== package: $deb"
rm -f "$build/$deb"
(cd "$build" && cpack -G DEB >/dev/null)
[ -f "$build/$deb" ] || { echo "package: cpack wrote no $build/$deb" >&2; exit 1; }

failures=0
fail() { echo "package: $*" >&2; failures=$((failures + 1)); }

echo "== package: the package's tree, as installed"
tree=$(mktemp -d); report=$(mktemp); trap 'rm -rf "$tree" "$report"' EXIT
dpkg-deb -x "$build/$deb" "$tree"
bash tests/install/check_installed.sh "$tree" "$version" samples/escuela --contract ||
  fail "the installed tree failed its checks"

echo "== package: lintian"
lintian --display-info --pedantic --tag-display-limit 0 --fail-on none \
  "$build/$deb" | tee "$report" || fail "lintian did not run"
while read -r severity _ tag _; do
  case $severity in
    E:) fail "lintian error: $tag" ;;
    W:) [ -n "${allowed_warnings[$tag]+listed}" ] || fail "lintian warning not listed in $0: $tag" ;;
  esac
done <"$report"
[ "$failures" -eq 0 ] || { echo "package: $failures problem(s), no package in dist/" >&2; exit 1; }

mkdir -p dist
cp "$build/$deb" dist/
dpkg-deb --field "dist/$deb"
dpkg-deb --contents "dist/$deb"
echo "package: dist/$deb (took $(( $(date +%s) - start )) s)"
