#!/bin/bash
# completion_test.sh <completion script> <transvardelzarp> <sample school folder>
#
# The bash completion, called as bash calls it: the words of the line with
# the cursor on the last one. Copy names come from the program's own list,
# so two exports of the sample school make a copy to complete.
set -u
completion=$1; tool=$2; samples=$3
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
failures=0; checks=0
# shellcheck disable=SC1090
. "$completion"

# shellcheck disable=SC2154  # expected: given with each call
offers() {  # expected="<words> " offers <word>...: completes the last word
  checks=$((checks + 1))
  COMP_WORDS=("$@"); COMP_WORDS[0]=${COMP_WORDS[0]/#transvardelzarp/$tool}
  COMP_CWORD=$(($# - 1)); COMPREPLY=()
  _transvardelzarp
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | LC_ALL=C sort | tr '\n' ' ')
  if [ "$got" != "$expected" ]; then
    echo "FAIL: '${*:2}' offers '$got', expected '$expected'"; failures=$((failures + 1))
  fi
}

mkdir "$scratch/sub" "$scratch/vtemp"; touch "$scratch/sfile"
cp -r "$samples" "$scratch/zarp"
for _ in 1 2; do "$tool" exportar "$scratch/zarp" --vtemp "$scratch/vtemp" >/dev/null 2>&1; done
copy=$(ls "$scratch/vtemp/COPIAS")
[ -n "$copy" ] || { echo "FAIL: no copy made by the second export"; exit 1; }

expected="comprobar exportar importar restaurar " offers transvardelzarp ""
expected="exportar " offers transvardelzarp eX
expected="--help --informe --version --vtemp " offers transvardelzarp exportar --
expected="$scratch/sub " offers transvardelzarp exportar "$scratch/s"
expected="" offers transvardelzarp exportar "$scratch/sub" ""
expected="$scratch/sub " offers transvardelzarp --vtemp "$scratch/s"
expected="$scratch/sfile $scratch/sub " offers transvardelzarp importar x --informe "$scratch/s"
expected="$scratch/sfile $scratch/sub " offers transvardelzarp comprobar --informe = "$scratch/s"
# After the value of an option, the command still takes its argument.
expected="$scratch/sub " offers transvardelzarp --informe x.json importar "$scratch/s"

# The copies of the line's working folder: --vtemp DIR, --vtemp=DIR, or the
# default one of Wine's prefix.
expected="$copy " offers transvardelzarp restaurar --vtemp "$scratch/vtemp" ""
expected="$copy " offers transvardelzarp --vtemp = "$scratch/vtemp" RESTAURAR "${copy:0:4}"
expected="" offers transvardelzarp restaurar --vtemp "$scratch/vtemp" "$copy" ""
mkdir -p "$scratch/prefix/drive_c"; ln -s "$scratch/vtemp" "$scratch/prefix/drive_c/VTEMP"
WINEPREFIX=$scratch/prefix expected="$copy " offers transvardelzarp restaurar ""
WINEPREFIX=$scratch/nada expected="" offers transvardelzarp restaurar ""
# shellcheck disable=SC2088  # the word as typed, before the shell expands it
HOME=$scratch expected="$copy " offers transvardelzarp restaurar --vtemp "~/vtemp" ""

echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
