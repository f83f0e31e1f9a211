#!/bin/bash
# Makes the release: dist/transVardelZarp-VERSION-windows.zip, from the 32-bit
# Windows build (preset windows32), which runs on 32-bit and 64-bit Windows.
# VERSION is the CMake project version. Installs what is missing first.
#
#   transVardelZarp.exe      the window, with ZARP.chm, its help, beside it
#   ZARP.chm
#   LEEME.txt                what it is and where it goes (cp1252, CR LF)
#   cli/transvardelzarp.exe  the command line
#
# Before the ZIP is written every exe is checked: 32-bit, only system DLLs
# imported, a version resource with the project version.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh package

version=$(sed -n 's/^project(transVardelZarp VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no project version in CMakeLists.txt" >&2; exit 1; }
name=transVardelZarp-$version-windows
build=build/windows32

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
echo "== package: configure and build (preset windows32)"
cmake --preset windows32 "${launcher[@]}" >/dev/null
cmake --build --preset windows32 -j2 --target transVardelZarp transvardelzarp tvz_help_file tvz_leeme

echo "== package: $name.zip"
rm -f "$build/$name.zip"
(cd "$build" && cpack -G ZIP >/dev/null)
[ -f "$build/$name.zip" ] || { echo "package: cpack wrote no $build/$name.zip" >&2; exit 1; }

check=$(mktemp -d); trap 'rm -rf "$check"' EXIT
(cd "$check" && unzip -q "$OLDPWD/$build/$name.zip")
failures=0
fail() { echo "package: $*" >&2; failures=$((failures + 1)); }

expected=$(printf '%s\n' LEEME.txt ZARP.chm cli/transvardelzarp.exe transVardelZarp.exe)
actual=$(cd "$check" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$(LC_ALL=C sort <<<"$expected")" ] ||
  fail "the ZIP holds $(echo $actual), expected $(echo $expected)"

bash scripts/check-windows-exe.sh 32 "$version" \
  "$check/transVardelZarp.exe" "$check/cli/transvardelzarp.exe" || fail "an exe failed its checks"

leeme=$check/LEEME.txt
if [ -f "$leeme" ]; then
  # CR LF on every line, and cp1252 (not UTF-8: no byte sequences of it).
  [ "$(grep -c $'\r$' "$leeme")" = "$(wc -l <"$leeme")" ] || fail "LEEME.txt has lines without CR LF"
  ! LC_ALL=C grep -qaP '[\xC2-\xC3][\x80-\xBF]' "$leeme" || fail "LEEME.txt looks like UTF-8, not cp1252"
  grep -qa 'Vardelin.ini' "$leeme" || fail "LEEME.txt does not name Vardelin.ini"
fi
[ "$failures" -eq 0 ] || { echo "package: $failures problem(s), no ZIP in dist/" >&2; exit 1; }

mkdir -p dist
cp "$build/$name.zip" dist/
unzip -l "dist/$name.zip"
echo "package: dist/$name.zip"
