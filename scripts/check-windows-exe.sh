#!/bin/bash
# check-windows-exe.sh <bits: 32|64> <version> <exe>...
#
# What a shipped Windows exe must be: of the given width, importing only DLLs
# that every Windows from 7 on has in System32 (SysWOW64), and carrying a
# version resource with the given version. Prints each exe's DLL imports;
# exit status 1 if any check fails.
set -uo pipefail

if [ $# -lt 3 ]; then
  echo "usage: $0 32|64 VERSION EXE..." >&2; exit 64
fi
bits=$1; version=$2; shift 2
case "$bits" in
  32) tools=i686-w64-mingw32; format=pei-i386 ;;
  64) tools=x86_64-w64-mingw32; format=pei-x86-64 ;;
  *) echo "usage: $0 32|64 VERSION EXE..." >&2; exit 64 ;;
esac

system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll
  shlwapi.dll msimg32.dll advapi32.dll ole32.dll oleaut32.dll uxtheme.dll msvcrt.dll
  version.dll winmm.dll "

failures=0
fail() { echo "check-windows-exe: $*" >&2; failures=$((failures + 1)); }

for f in "$@"; do
  exe=$(basename "$f")
  if ! "$tools-objdump" -f "$f" 2>/dev/null | grep -q "file format $format\$"; then
    fail "$exe is not a $bits-bit Windows exe"; continue
  fi
  dlls=$("$tools-objdump" -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  echo "$exe imports: $(echo $dlls)"
  for dll in $dlls; do
    [[ $system_dlls == *" $dll"[[:space:]]* ]] || fail "$exe needs $dll, which is not a system DLL"
  done
  rc=$("$tools-windres" -i "$f" -O rc 2>/dev/null)
  if ! grep -q " VERSIONINFO" <<<"$rc" || ! grep -q "VALUE \"FileVersion\", \"$version\"" <<<"$rc"; then
    fail "$exe has no version resource with version $version"
  fi
done
[ "$failures" -eq 0 ]
