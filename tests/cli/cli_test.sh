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

# One encoding per output: on Linux the help and the usage errors are UTF-8,
# the argument quoted as given.
"$tool" exportar "$scratch" --ñ >"$scratch/out" 2>"$scratch/err"; s=$?
head -n 1 "$scratch/err" | grep -qx "transvardelzarp: opción desconocida: --ñ" &&
  grep -q "por omisión, la que" "$scratch/err"
check "usage error and help in UTF-8" 64 $s $?

cp -r "$samples" "$scratch/zarp"; rm -f "$scratch/zarp/SOLUC.DBF"
mkdir "$scratch/vtemp"

# Golden export: stdout holds exactly the messages, the report goes to stderr.
"$tool" EXPORTAR "$scratch/zarp" --vtemp "$scratch/vtemp" >"$scratch/out" 2>"$scratch/err"; s=$?
[ "$(cat "$scratch/out")" = "Proceso finalizado" ] && grep -q "^ASIGT: 44 registros$" "$scratch/err"
check "export of the sample school" 0 $s $?
for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do
  test -s "$scratch/vtemp/$t.DBF"; check "table $t written" 0 0 $?
done

# Golden import: every data record has the fixed 26 columns.
cp "$samples/SOLUC.DBF" "$scratch/vtemp/"
"$tool" importar "$scratch/zarp" --vtemp="$scratch/vtemp" >"$scratch/out" 2>"$scratch/err"; s=$?
out="$scratch/zarp/ZARP_HORARIO.TXT"
[ "$(cat "$scratch/out")" = "Proceso finalizado" ] && [ "$(grep -c $'^1.\{25\}\r$' "$out")" = 72 ] && head -n 1 "$out" | grep -q "^0ZARP_HORARIO.TXT *05000123[0-9]\{12\}"$'\r$' &&
  tail -n 1 "$out" | grep -q "^9ZARP_HORARIO.TXT *05000123[0-9]\{12\}72"$'\r$'
check "import of the sample timetable" 0 $s $?

# The copies of replaced tables: listed newest first, restored byte for byte.
"$tool" restaurar --vtemp "$scratch/vtemp" >"$scratch/out" 2>&1; s=$?
grep -q "^No hay copias de las tablas en $scratch/vtemp/COPIAS$" "$scratch/out"; check "restaurar: no copies" 0 $s $?
mkdir "$scratch/first"; cp "$scratch"/vtemp/*.DBF "$scratch/first/"
LC_ALL=C sed -i 's/^1AGM /1AGX /' "$scratch/zarp/ZARP_PROF.TXT"
"$tool" exportar "$scratch/zarp" --vtemp "$scratch/vtemp" >/dev/null 2>&1; s=$?
check "second export" 0 $s
"$tool" restaurar --vtemp "$scratch/vtemp" >"$scratch/out" 2>"$scratch/err"; s=$?
copy=$(cut -d' ' -f1 "$scratch/out" | head -n 1)
[ "$(wc -l <"$scratch/out")" = 1 ] && grep -q "^[0-9]\{8\}-[0-9]\{4\}  [0-9/]\{10\} [0-9:]\{5\}  ASIGNOMT, ASIGT, AULAT, DIASHORAST, GRUPOST, PROFT$" "$scratch/out"
check "restaurar: list" 0 $s $?
first=$copy
cmp -s "$scratch/vtemp/PROFT.DBF" "$scratch/first/PROFT.DBF"; check "second export changed PROFT" 1 $?
"$tool" RESTAURAR "$first" --vtemp "$scratch/vtemp" >"$scratch/out" 2>"$scratch/err"; s=$?
same=0; for t in "$scratch"/first/*.DBF; do cmp -s "$t" "$scratch/vtemp/$(basename "$t")" || same=1; done
grep -q "^Tablas restauradas de la copia $first: ASIGNOMT, ASIGT" "$scratch/out" && [ $same = 0 ] &&
  [ "$(ls "$scratch/vtemp/COPIAS" | wc -l)" = 2 ]
check "restaurar: restore" 0 $s $?
"$tool" restaurar 20000101-0000 --vtemp "$scratch/vtemp" >"$scratch/out" 2>"$scratch/err"; s=$?
[ ! -s "$scratch/out" ] && grep -qx "No existe la copia de las tablas 20000101-0000\." "$scratch/err"
check "restaurar: unknown copy" 2 $s $?
"$tool" restaurar a b --vtemp "$scratch/vtemp" >/dev/null 2>&1; check "restaurar: two copies" 64 $?

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
