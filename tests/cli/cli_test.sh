#!/bin/bash
# cli_test.sh <transvardelzarp> <sample school folder> [<runner>...]
#
# With a runner (wine), the Windows build is checked: its standard output and
# error are text-mode streams in a Windows code page, so before comparing they
# lose the CR of each CR LF and, unless they are valid UTF-8, are decoded from
# cp1252. Files the program writes are compared as they are.
set -u
tool=$1; samples=$2; shift 2
runner=("$@")
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
failures=0; checks=0

check() {  # check <name> <expected status> <actual status> [<condition result>]
  checks=$((checks + 1))
  if [ "$2" != "$3" ] || [ "${4:-0}" != 0 ]; then
    echo "FAIL: $1 (status $3, expected $2)"; failures=$((failures + 1))
  fi
}

normalise() {  # normalise <file>...: the Windows streams as UTF-8 with LF
  [ ${#runner[@]} -eq 0 ] && return 0
  local f
  for f in "$@"; do
    [ -f "$f" ] || continue
    sed -i 's/\r$//' "$f"
    if ! iconv -f UTF-8 -t UTF-8 "$f" >/dev/null 2>&1; then
      iconv -f CP1252 -t UTF-8 "$f" >"$f.utf8" && mv "$f.utf8" "$f"
    fi
  done
}

# run <stdout file> <stderr file> <argument>...: the status in $s. One file
# for both gets both streams.
run() {
  local out=$1 err=$2; shift 2
  if [ "$out" = "$err" ]; then
    "${runner[@]}" "$tool" "$@" >"$out" 2>&1 </dev/null; s=$?
  else
    "${runner[@]}" "$tool" "$@" >"$out" 2>"$err" </dev/null; s=$?
  fi
  normalise "$out" "$err"
}

run "$scratch/out" "$scratch/out" --help
grep -q "^Uso: transvardelzarp exportar|importar CARPETA" "$scratch/out" && grep -q "^  --version  " "$scratch/out"
check "--help" 0 $s $?

# --version and -V: name, package and the version of project() in
# CMakeLists.txt, alone on standard output, wherever they stand.
version=$(sed -n 's/^project(transVardelZarp VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
for args in "--version" "-V" "exportar $scratch/nada --version"; do
  # shellcheck disable=SC2086
  run "$scratch/out" "$scratch/err" $args
  [ "$(cat "$scratch/out")" = "transvardelzarp (transVardelZarp) $version" ] && test ! -s "$scratch/err" &&
    test ! -e "$scratch/nada"
  check "'$args'" 0 $s $?
done

for args in "" "exportar" "borrar $scratch" "exportar $scratch --nada" "exportar $scratch --vtemp" "a b c"; do
  # shellcheck disable=SC2086
  run "$scratch/out" "$scratch/err" $args
  test ! -s "$scratch/out" && grep -q "^transvardelzarp: " "$scratch/err"; check "usage: '$args'" 64 $s $?
done

# One encoding per output: the help and the usage error in one encoding (UTF-8
# on Linux; cp1252 when a Windows program's output is redirected), the
# argument quoted as given.
# Under Wine an argument outside ASCII depends on the Unix locale Wine reads
# its command line in, so there the argument is plain.
odd_option=--ñ; [ ${#runner[@]} -gt 0 ] && odd_option=--x
run "$scratch/out" "$scratch/err" exportar "$scratch" "$odd_option"
head -n 1 "$scratch/err" | grep -qx "transvardelzarp: opción desconocida: $odd_option" &&
  grep -q "por omisión, la que" "$scratch/err"
check "usage error and help in UTF-8" 64 $s $?

cp -r "$samples" "$scratch/zarp"; rm -f "$scratch/zarp/SOLUC.DBF"
mkdir "$scratch/vtemp"

# Golden export: stdout holds exactly the messages, the report goes to stderr.
run "$scratch/out" "$scratch/err" EXPORTAR "$scratch/zarp" --vtemp "$scratch/vtemp"
[ "$(cat "$scratch/out")" = "Proceso finalizado" ] && grep -q "^ASIGT: 46 registros$" "$scratch/err"
check "export of the sample school" 0 $s $?
for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do
  test -s "$scratch/vtemp/$t.DBF"; check "table $t written" 0 0 $?
done

# Golden import: every data record has the fixed 26 columns.
cp "$samples/SOLUC.DBF" "$scratch/vtemp/"
run "$scratch/out" "$scratch/err" importar "$scratch/zarp" --vtemp="$scratch/vtemp"
out="$scratch/zarp/ZARP_HORARIO.TXT"
[ "$(cat "$scratch/out")" = "Proceso finalizado" ] && [ "$(grep -c $'^1.\{25\}\r$' "$out")" = 74 ] && head -n 1 "$out" | grep -q "^0ZARP_HORARIO.TXT *05000123[0-9]\{12\}"$'\r$' &&
  tail -n 1 "$out" | grep -q "^9ZARP_HORARIO.TXT *05000123[0-9]\{12\}74"$'\r$'
check "import of the sample timetable" 0 $s $?

# The copies of replaced tables: listed newest first, restored byte for byte.
run "$scratch/out" "$scratch/out" restaurar --vtemp "$scratch/vtemp"
grep -q "^No hay copias de las tablas en $scratch/vtemp[/\\]COPIAS$" "$scratch/out"; check "restaurar: no copies" 0 $s $?
mkdir "$scratch/first"; cp "$scratch"/vtemp/*.DBF "$scratch/first/"
LC_ALL=C sed -i 's/^1AGM /1AGX /' "$scratch/zarp/ZARP_PROF.TXT"
run "$scratch/ignored.out" "$scratch/ignored.err" exportar "$scratch/zarp" --vtemp "$scratch/vtemp"
check "second export" 0 $s
run "$scratch/out" "$scratch/err" restaurar --vtemp "$scratch/vtemp"
copy=$(cut -d' ' -f1 "$scratch/out" | head -n 1)
[ "$(wc -l <"$scratch/out")" = 1 ] && grep -q "^[0-9]\{8\}-[0-9]\{4\}  [0-9/]\{10\} [0-9:]\{5\}  ASIGNOMT, ASIGT, AULAT, DIASHORAST, GRUPOST, PROFT$" "$scratch/out"
check "restaurar: list" 0 $s $?
first=$copy
cmp -s "$scratch/vtemp/PROFT.DBF" "$scratch/first/PROFT.DBF"; check "second export changed PROFT" 1 $?
run "$scratch/out" "$scratch/err" RESTAURAR "$first" --vtemp "$scratch/vtemp"
same=0; for t in "$scratch"/first/*.DBF; do cmp -s "$t" "$scratch/vtemp/$(basename "$t")" || same=1; done
grep -q "^Tablas restauradas de la copia $first: ASIGNOMT, ASIGT" "$scratch/out" && [ $same = 0 ] &&
  [ "$(ls "$scratch/vtemp/COPIAS" | wc -l)" = 2 ]
check "restaurar: restore" 0 $s $?
run "$scratch/out" "$scratch/err" restaurar "$first" --vtemp "$scratch/vtemp" --informe "$scratch/restore.json"
/usr/bin/python3 - "$scratch/restore.json" "$first" "$(sed -n 's/^Las tablas sustituidas quedan en la copia //p' "$scratch/out")" <<'PY'
import json, sys
r = json.load(open(sys.argv[1], encoding="utf-8"))
assert r["conversion"] == "restaurar" and r["resultado"] == "finalizado", r
assert r["copia"] == sys.argv[2] and r["copia_nueva"] == sys.argv[3] != "", r
assert r["tablas"] == ["ASIGNOMT", "ASIGT", "AULAT", "DIASHORAST", "GRUPOST", "PROFT"], r
PY
check "restaurar: report" 0 $s $?
run "$scratch/out" "$scratch/err" restaurar 20000101-0000 --vtemp "$scratch/vtemp"
[ ! -s "$scratch/out" ] && grep -qx "No existe la copia de las tablas 20000101-0000\." "$scratch/err"
check "restaurar: unknown copy" 2 $s $?
run "$scratch/ignored.out" "$scratch/ignored.out" restaurar a b --vtemp "$scratch/vtemp"; check "restaurar: two copies" 64 $s
run "$scratch/ignored.out" "$scratch/ignored.out" restaurar --vtemp "$scratch/vtemp" --informe "$scratch/r.json"
check "restaurar: a report without a copy" 64 $s

# The report: JSON with --informe, a summary on stderr after the counts.
json_check() {  # json_check FILE CONVERSION KINDS... : the report's shape and kinds
  /usr/bin/python3 - "$@" <<'PY'
import json, sys
report = json.load(open(sys.argv[1], encoding="utf-8"))
assert report["conversion"] == sys.argv[2], report["conversion"]
assert report["resultado"] == "finalizado" and report["estado"] == 1
kinds = {a["tipo"] for a in report["avisos"]}
assert kinds == set(sys.argv[3:]), sorted(kinds)
for a in report["avisos"]:
    assert {"tipo", "tabla", "fichero", "linea", "valor"} <= set(a), a
    assert a["linea"] is None or a["linea"] >= 1, a
assert all({"tabla", "registros", "duplicados"} == set(t) for t in report["tablas"])
PY
}
export_kinds="duplicado recortado grupo_desconocido sin_horas horas_minimas horas_vacias grupo_sin_nivel dia_desconocido minutos_negativos fichero_repetido"
run "$scratch/ignored.out" "$scratch/err" importar "$scratch/zarp" --vtemp "$scratch/vtemp" --informe "$scratch/import.json"
json_check "$scratch/import.json" importar franja_desconocida grupo_desconocido aula_desconocida clase_sin_colocar &&
  grep -q '"tareas_lec": 73' "$scratch/import.json" &&
  grep -qx "ZARP_HORARIO.TXT: 1 clase sin franja en DIASHORAST (SOLUC, registro 74); su código de franja va en blanco" "$scratch/err"
check "import report" 0 $s $?

# comprobar: the export's messages, status and report, and neither folder
# changes by a byte.
snap() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
zarp_before=$(snap "$scratch/zarp"); vtemp_before=$(snap "$scratch/vtemp")
run "$scratch/out" "$scratch/check.err" comprobar "$scratch/zarp" --vtemp "$scratch/vtemp" --informe "$scratch/check.json"
[ "$(cat "$scratch/out")" = "Proceso finalizado" ] && [ "$(snap "$scratch/zarp")" = "$zarp_before" ] &&
  [ "$(snap "$scratch/vtemp")" = "$vtemp_before" ]
check "comprobar writes nothing" 0 $s $?
# shellcheck disable=SC2086
json_check "$scratch/check.json" comprobar $export_kinds; check "comprobar report" 0 0 $?
run "$scratch/ignored.out" "$scratch/err" exportar "$scratch/zarp" --vtemp "$scratch/vtemp" --informe="$scratch/export.json"
cmp -s "$scratch/err" "$scratch/check.err" &&
  [ "$(sed 1,2d "$scratch/export.json")" = "$(sed 1,2d "$scratch/check.json")" ] &&
  grep -qx "ASIGT: 46 registros" "$scratch/err" &&
  grep -qx "ASIGT: 11 asignaciones sin horas semanales (ZARP_ASIGNATGRUPO.TXT, líneas 37, 38, 39, ...); se les ha dado 1 hora" "$scratch/err" &&
  [ "$(grep -n "^DIASHORAST: 32 registros" "$scratch/err" | cut -d: -f1)" -lt "$(grep -n "^ASIGNOMT: 6 valores" "$scratch/err" | cut -d: -f1)" ]
check "export report as comprobar's" 0 $s $?
run "$scratch/out" "$scratch/ignored.err" comprobar "$scratch/nada" --vtemp "$scratch/vtemp"
[ "$(cat "$scratch/out")" = "No existe la carpeta" ]; check "comprobar: missing folder" 1 $s $?
# A report that would take the place of what the runs read or write, of the
# copies, or is no file to write, is refused before anything is read or
# written: both folders stay as they were, no copy is made, status 64.
vtemp_before=$(snap "$scratch/vtemp"); zarp_before=$(snap "$scratch/zarp")
for target in vtemp/PROFT.DBF vtemp/SOLUC.DBF zarp/ZARP_PROF.TXT zarp/zarp_horario.txt vtemp/COPIAS nada/x.json; do
  for command in exportar importar comprobar; do
    run "$scratch/out" "$scratch/err" $command "$scratch/zarp" --vtemp "$scratch/vtemp" --informe "$scratch/$target"
    test ! -s "$scratch/out" && [ "$(wc -l <"$scratch/err")" = 1 ] && grep -q "^transvardelzarp: .*informe.*: $scratch/$target$" "$scratch/err" &&
      [ "$(snap "$scratch/vtemp")" = "$vtemp_before" ] && [ "$(snap "$scratch/zarp")" = "$zarp_before" ]
    check "$command --informe $target refused" 64 $s $?
  done
done
copy=$(ls "$scratch/vtemp/COPIAS" | head -n 1)
run "$scratch/out" "$scratch/err" restaurar "$copy" --vtemp "$scratch/vtemp" --informe "$scratch/vtemp/COPIAS/$copy/r.json"
[ "$(snap "$scratch/vtemp")" = "$vtemp_before" ]; check "restaurar --informe in a copy refused" 64 $s $?
run "$scratch/ignored.out" "$scratch/err" comprobar "$scratch/zarp" --informe
grep -q "^transvardelzarp: falta el fichero tras --informe" "$scratch/err"; check "usage: --informe" 64 $s $?

# A missing required file: its message, then the end message; status 1.
rm "$scratch/zarp/ZARP_PROF.TXT"
run "$scratch/out" /dev/null exportar "$scratch/zarp" --vtemp "$scratch/vtemp"
[ "$(cat "$scratch/out")" = "$(printf 'No existe archivo de profesores (ZARP_PROF.TXT)\nProceso finalizado')" ]
check "missing teachers file" 1 $s $?

# A missing folder is refused.
run "$scratch/out" /dev/null importar "$scratch/nada" --vtemp "$scratch/vtemp"
[ "$(cat "$scratch/out")" = "No existe la carpeta" ]; check "missing folder" 1 $s $?

# An error ends the run: its message on stderr, then where it happened;
# status 2.
printf '1   0001L0800\r\n' >"$scratch/zarp/ZARP_SESIONES.TXT"
run "$scratch/out" "$scratch/err" exportar "$scratch/zarp" --vtemp "$scratch/vtemp"
grep -q "^':' no es un valor entero válido\.$" "$scratch/err" &&
  [ "$(grep -A1 "^':' no es" "$scratch/err" | tail -n 1)" = "ZARP_SESIONES.TXT, línea 1" ]
check "conversion error" 2 $s $?

# Memory and time limits for the runs below that must not hang or eat the
# machine: 10 s each, and 1 GB where the build allows it (a sanitizer build
# cannot start under a memory limit; then those checks are skipped).
memory_limit=0; ( ulimit -v 400000 && "$tool" --help >/dev/null 2>&1 ) 2>/dev/null && memory_limit=1
limited() {
  if [ $memory_limit = 1 ]; then (ulimit -v 1000000 && exec timeout 10 "$tool" "$@"); else timeout 10 "$tool" "$@"; fi
}
fresh() {  # a fresh school in odd/ with its tables and timetable in oddv/
  rm -rf "$scratch/odd" "$scratch/oddv"; cp -r "$samples" "$scratch/odd"; mkdir "$scratch/oddv"
  run "$scratch/ignored.out" "$scratch/ignored.out" exportar "$scratch/odd" --vtemp "$scratch/oddv"
  cp "$samples/SOLUC.DBF" "$scratch/oddv/"; rm -f "$scratch/odd/SOLUC.DBF"
}

# System errors are explained in Spanish: a timetable name taken by a folder.
fresh
mkdir "$scratch/odd/ZARP_HORARIO.TXT"
run "$scratch/out" "$scratch/err" importar "$scratch/odd" --vtemp "$scratch/oddv"
# (Windows refuses a folder in the way as access denied.)
reason="Es una carpeta, no un archivo"; [ ${#runner[@]} -gt 0 ] && reason="Acceso al archivo denegado"
grep -qx "Cannot create file \"$scratch/odd[/\\]ZARP_HORARIO.TXT\". $reason\." "$scratch/err"
check "a system error in Spanish" 2 $s $?

# What follows is the Linux command line's own: FIFOs and devices, memory
# limits and a closed pipe have no counterpart for a Windows program.
if [ ${#runner[@]} -eq 0 ]; then

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
fi

echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
