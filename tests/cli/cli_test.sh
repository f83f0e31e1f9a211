#!/bin/bash
# cli_test.sh <transvardelzarp> <sample school folder>
set -u
tool=$1; samples=$2
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
failures=0; checks=0

check() {  # check <name> <expected status> <actual status> [<condition result>]
  checks=$((checks + 1))
  if [ "$2" != "$3" ] || [ "${4:-0}" != 0 ]; then
    echo "FAIL: $1 (status $3, expected $2)"; failures=$((failures + 1))
  fi
}

"$tool" --help >"$scratch/out" 2>&1; s=$?
grep -q "^Uso: transvardelzarp exportar|importar CARPETA" "$scratch/out"; check "--help" 0 $s $?

for args in "" "exportar" "borrar $scratch" "exportar $scratch --nada" "exportar $scratch --vtemp" "a b c"; do
  # shellcheck disable=SC2086
  "$tool" $args >"$scratch/out" 2>"$scratch/err"; s=$?
  test ! -s "$scratch/out" && grep -q "^transvardelzarp: " "$scratch/err"; check "usage: '$args'" 64 $s $?
done

cp -r "$samples" "$scratch/zarp"; rm -f "$scratch/zarp/SOLUC.DBF"
mkdir "$scratch/vtemp"

# Golden export: stdout holds exactly the messages, the report goes to stderr.
"$tool" EXPORTAR "$scratch/zarp" --vtemp "$scratch/vtemp" >"$scratch/out" 2>"$scratch/err"; s=$?
[ "$(cat "$scratch/out")" = "Proceso finalizado" ] && grep -q "^ASIGT: 46 registros$" "$scratch/err"
check "export of the sample school" 0 $s $?
for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do
  test -s "$scratch/vtemp/$t.DBF"; check "table $t written" 0 0 $?
done

# Golden import: every data record has the fixed 26 columns.
cp "$samples/SOLUC.DBF" "$scratch/vtemp/"
"$tool" importar "$scratch/zarp" --vtemp="$scratch/vtemp" >"$scratch/out" 2>"$scratch/err"; s=$?
out="$scratch/zarp/ZARP_HORARIO.TXT"
[ "$(cat "$scratch/out")" = "Proceso finalizado" ] && [ "$(grep -c $'^1.\{25\}\r$' "$out")" = 74 ] && head -n 1 "$out" | grep -q "^0ZARP_HORARIO.TXT *05000123[0-9]\{12\}"$'\r$' &&
  tail -n 1 "$out" | grep -q "^9ZARP_HORARIO.TXT *05000123[0-9]\{12\}74"$'\r$'
check "import of the sample timetable" 0 $s $?

# A missing required file: its message, then the end message; status 1.
rm "$scratch/zarp/ZARP_PROF.TXT"
"$tool" exportar "$scratch/zarp" --vtemp "$scratch/vtemp" >"$scratch/out" 2>/dev/null; s=$?
[ "$(cat "$scratch/out")" = "$(printf 'No existe archivo de profesores (ZARP_PROF.TXT)\nProceso finalizado')" ]
check "missing teachers file" 1 $s $?

# A missing folder is refused.
"$tool" importar "$scratch/nada" --vtemp "$scratch/vtemp" >"$scratch/out" 2>/dev/null; s=$?
[ "$(cat "$scratch/out")" = "No existe la carpeta" ]; check "missing folder" 1 $s $?

# An error ends the run: its message on stderr, status 2.
printf '1   0001L0800\r\n' >"$scratch/zarp/ZARP_SESIONES.TXT"
"$tool" exportar "$scratch/zarp" --vtemp "$scratch/vtemp" >"$scratch/out" 2>"$scratch/err"; s=$?
grep -q "^':' no es un valor entero válido\.$" "$scratch/err"; check "conversion error" 2 $s $?

echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
