#!/bin/bash
# check_exe_test.sh <check script> <bits> <version> <window exe> <cli exe> <probe exe>
set -u
check=$1; bits=$2; version=$3; window=$4; cli=$5; probe=$6
other_bits=$((bits == 32 ? 64 : 32))
failures=0

# name | expected status | text the report must hold (empty: none) | arguments
cases=(
  "window program|0|transVardelZarp.exe imports: .*kernel32.dll|$bits $version $window"
  "command line|0|transvardelzarp.exe imports: kernel32.dll|$bits $version $cli"
  "both at once|0||$bits $version $window $cli"
  "probe needs its DLL|1|needs tvz_probe.dll, which is not a system DLL|$bits $version $probe"
  "probe has no version|1|tvz_probe_exe.exe has no version resource|$bits $version $probe"
  "one bad exe fails the lot|1|needs tvz_probe.dll|$bits $version $cli $probe"
  "other version|1|has no version resource with version 9.9.9|$bits 9.9.9 $cli"
  "other width|1|is not a $other_bits-bit Windows exe|$other_bits $version $cli"
  "not an exe|1|is not a $bits-bit Windows exe|$bits $version $check"
)
for c in "${cases[@]}"; do
  IFS='|' read -r name want text args <<<"$c"
  # shellcheck disable=SC2086
  out=$(bash "$check" $args 2>&1); s=$?
  if [ "$s" != "$want" ] || { [ -n "$text" ] && ! grep -q -- "$text" <<<"$out"; }; then
    echo "FAIL: $name (status $s, expected $want)"; echo "$out" | sed 's/^/  /'
    failures=$((failures + 1))
  fi
done
echo "$((${#cases[@]} - failures)) passed, $failures failed"
[ $failures -eq 0 ]
