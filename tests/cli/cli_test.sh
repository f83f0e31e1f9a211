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

# Memory and time limits for the runs below that must not hang or eat the
# machine: 10 s each, and 1 GB where the build allows it (a sanitizer build
# cannot start under a memory limit; then those checks are skipped).
memory_limit=0; ( ulimit -v 400000 && "$tool" --help >/dev/null 2>&1 ) 2>/dev/null && memory_limit=1
limited() {
  if [ $memory_limit = 1 ]; then (ulimit -v 1000000 && exec timeout 10 "$tool" "$@"); else timeout 10 "$tool" "$@"; fi
}
fresh() {  # a fresh school in odd/ with its tables and timetable in oddv/
  rm -rf "$scratch/odd" "$scratch/oddv"; cp -r "$samples" "$scratch/odd"; mkdir "$scratch/oddv"
  "$tool" exportar "$scratch/odd" --vtemp "$scratch/oddv" >/dev/null 2>&1
  cp "$samples/SOLUC.DBF" "$scratch/oddv/"; rm -f "$scratch/odd/SOLUC.DBF"
}

# Inputs that are not regular files are never read and never waited for: a
# FIFO or a link to a device where a file is looked up counts as missing; the
# subjects file the import opens by its name gives its own reason.
for kind in fifo zero; do
  fresh
  make_odd() { rm -f "$1"; if [ $kind = fifo ]; then mkfifo "$1"; else ln -s /dev/zero "$1"; fi; }
  make_odd "$scratch/odd/ZARP_PROF.TXT"
  limited exportar "$scratch/odd" --vtemp "$scratch/oddv" >"$scratch/out" 2>/dev/null; s=$?
  [ "$(head -n 1 "$scratch/out")" = "No existe archivo de profesores (ZARP_PROF.TXT)" ]
  check "export, ZARP_PROF.TXT a $kind" 1 $s $?
  rm -f "$scratch/odd/ZARP_ASIGNAT.TXT"; make_odd "$scratch/odd/zarp_asignat.txt"
  limited importar "$scratch/odd" --vtemp "$scratch/oddv" >"$scratch/out" 2>"$scratch/err"; s=$?
  grep -qx "Cannot open file \"$scratch/odd/zarp_asignat.txt\". No es un archivo normal (es una tubería, un dispositivo o un socket)" "$scratch/err" &&
    test ! -e "$scratch/odd/ZARP_HORARIO.TXT"
  check "import, zarp_asignat.txt a $kind" 2 $s $?
  cp "$samples/ZARP_ASIGNAT.TXT" "$scratch/odd/"; rm -f "$scratch/odd/zarp_asignat.txt"
  make_odd "$scratch/oddv/SOLUC.DBF"
  limited importar "$scratch/odd" --vtemp "$scratch/oddv" >"$scratch/out" 2>"$scratch/err"; s=$?
  grep -qx "No se encuentra la tabla $scratch/oddv/SOLUC.DBF." "$scratch/err"
  check "import, SOLUC.DBF a $kind" 2 $s $?
done

# A file too big for the memory the run may take: a Spanish message naming
# it, status 2, and the file that run would have written stays as it was.
if [ $memory_limit = 1 ]; then
  fresh
  cp "$scratch/oddv/DIASHORAST.DBF" "$scratch/before.dbf"
  rm "$scratch/odd/ZARP_SESIONES.TXT"; truncate -s 3G "$scratch/odd/ZARP_SESIONES.TXT"
  limited exportar "$scratch/odd" --vtemp "$scratch/oddv" >"$scratch/out" 2>"$scratch/err"; s=$?
  grep -qx "No hay memoria suficiente para leer el archivo \"$scratch/odd/ZARP_SESIONES.TXT\"" "$scratch/err" &&
    cmp -s "$scratch/before.dbf" "$scratch/oddv/DIASHORAST.DBF"
  check "export, a 3 GB ZARP_SESIONES.TXT" 2 $s $?
  printf 'old\r\n' >"$scratch/odd/ZARP_HORARIO.TXT"
  rm "$scratch/odd/ZARP_ASIGNAT.TXT"; truncate -s 3G "$scratch/odd/ZARP_ASIGNAT.TXT"
  limited importar "$scratch/odd" --vtemp "$scratch/oddv" >"$scratch/out" 2>"$scratch/err"; s=$?
  grep -qx "No hay memoria suficiente para leer el archivo \"$scratch/odd/ZARP_ASIGNAT.TXT\"" "$scratch/err" &&
    [ "$(cat "$scratch/odd/ZARP_HORARIO.TXT")" = $'old\r' ]
  check "import, a 3 GB ZARP_ASIGNAT.TXT" 2 $s $?
  # A line too long for memory, in a file read line by line.
  fresh
  rm "$scratch/odd/ZARP_ASIGNAT.TXT"; truncate -s 3G "$scratch/odd/ZARP_ASIGNAT.TXT"
  cp "$scratch/oddv/ASIGNOMT.DBF" "$scratch/before.dbf"
  (ulimit -v 400000 && exec timeout 20 "$tool" exportar "$scratch/odd" --vtemp "$scratch/oddv") >"$scratch/out" 2>"$scratch/err"; s=$?
  grep -qx "No hay memoria suficiente para leer el archivo \"$scratch/odd/ZARP_ASIGNAT.TXT\"" "$scratch/err" &&
    cmp -s "$scratch/before.dbf" "$scratch/oddv/ASIGNOMT.DBF"
  check "export, a 3 GB line in ZARP_ASIGNAT.TXT" 2 $s $?
  # A whole file of line breaks costs its bytes, not a string per line: read
  # in 400 MB, its first (empty) line is not a time.
  fresh
  head -c 100000000 /dev/zero | tr '\0' '\r' >"$scratch/odd/ZARP_SESIONES.TXT"
  (ulimit -v 400000 && exec timeout 20 "$tool" exportar "$scratch/odd" --vtemp "$scratch/oddv") >"$scratch/out" 2>"$scratch/err"; s=$?
  grep -qx "':' no es un valor entero válido\." "$scratch/err"; check "export, 100 MB of CR bytes in 400 MB" 2 $s $?
fi

# System errors are explained in Spanish: a timetable name taken by a folder.
fresh
mkdir "$scratch/odd/ZARP_HORARIO.TXT"
"$tool" importar "$scratch/odd" --vtemp "$scratch/oddv" >"$scratch/out" 2>"$scratch/err"; s=$?
grep -qx "Cannot create file \"$scratch/odd/ZARP_HORARIO.TXT\". Es una carpeta, no un archivo\." "$scratch/err"
check "a system error in Spanish" 2 $s $?

# A closed output never stops a run half way: every table is rebuilt, the
# status is the run's, and the lost messages are reported on stderr.
fresh
for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do rm "$scratch/oddv/$t.DBF"; done
ERR="$scratch/err" python3 -c 'import os, subprocess, sys
r, w = os.pipe(); os.close(r)
sys.exit(subprocess.run(sys.argv[1:], stdout=w, stderr=open(os.environ["ERR"], "w")).returncode)' \
  "$tool" exportar "$scratch/odd" --vtemp "$scratch/oddv"; s=$?
grep -q "^transvardelzarp: no se han podido mostrar todos los mensajes" "$scratch/err"
check "export to a closed pipe" 0 $s $?
for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do
  test -s "$scratch/oddv/$t.DBF"; check "table $t written through a closed pipe" 0 0 $?
done
for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do rm "$scratch/oddv/$t.DBF"; done
"$tool" exportar "$scratch/odd" --vtemp "$scratch/oddv" 2>/dev/null | head -n 1 >/dev/null
check "export | head -n 1" 0 "${PIPESTATUS[0]}"
for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do
  test -s "$scratch/oddv/$t.DBF"; check "table $t written through head -n 1" 0 0 $?
done

echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
