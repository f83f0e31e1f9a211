#!/bin/bash
# check_installed.sh ROOT VERSION SAMPLES [--contract]
# check_installed.sh --install CMAKE BUILD VERSION SAMPLES
#
# Checks the command line as installed under ROOT/usr: the tree of the Debian
# package (scripts/package-linux.sh), or, with --install, this build put
# there by `cmake --install` with DESTDIR. The files and their modes, the
# program's libraries, --version and --help, the manual page (readable by
# man, Spanish, in step with the help), the completion and a conversion of
# the sample school by the installed program. --contract also runs the
# command line's contract (tests/cli/cli_test.sh) on the installed program.
set -u
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
if [ "$1" = --install ]; then
  root=$scratch/root
  DESTDIR=$root "$2" --install "$3" --prefix /usr >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; echo "FAIL: cmake --install"; exit 1; }
  shift 3
else
  root=$1; shift
fi
version=$1; samples=$2; contract=${3:-}
tool=$root/usr/bin/transvardelzarp
page=$root/usr/share/man/man1/transvardelzarp.1.gz
failures=0; checks=0

check() {  # check <condition status> <name>: the status first, before the name's expansions
  checks=$((checks + 1))
  if [ "$1" != 0 ]; then echo "FAIL: $2"; failures=$((failures + 1)); fi
}

expected="755 usr/bin/transvardelzarp
644 usr/share/bash-completion/completions/transvardelzarp
644 usr/share/doc/transvardelzarp/LEEME
644 usr/share/doc/transvardelzarp/README.md
644 usr/share/doc/transvardelzarp/changelog.gz
644 usr/share/doc/transvardelzarp/copyright
644 usr/share/man/man1/transvardelzarp.1.gz"
actual=$(cd "$root" && find . ! -type d -printf '%m %P\n' | LC_ALL=C sort -k2)
[ "$actual" = "$expected" ]; check $? "the installed files: ${actual//$'\n'/, }"
! ldd "$tool" | grep -q "not found"; check $? "libraries of the installed program"
zcat "$root/usr/share/doc/transvardelzarp/changelog.gz" | head -n 1 | grep -q "^transvardelzarp ($version) "
check $? "changelog of version $version"

"$tool" --version >"$scratch/version"; s=$?
[ $s = 0 ] && [ "$(awk '{print $NF}' "$scratch/version")" = "$version" ]; check $? "--version says $version"
"$tool" --help >"$scratch/help"; check $? "--help"

# The page as man shows it, unhyphenated, unjustified, one line a paragraph.
export LC_ALL=C.UTF-8
MANWIDTH=400 man --nh --nj --warnings -l "$page" >"$scratch/page" 2>"$scratch/page.err"
check $? "man -l"
[ ! -s "$scratch/page.err" ]; check $? "man -l without warnings: $(head -c 300 "$scratch/page.err")"
MANWIDTH=400 man --nh --nj -M "$root/usr/share/man" transvardelzarp 2>/dev/null | cmp -s - "$scratch/page"
check $? "man finds the page in share/man"
section() {  # section NAME: the lines of the page's section NAME
  awk -v name="$1" '/^[^ ]/ { on = ($0 == name); next } on' "$scratch/page"
}
for name in NOMBRE SINOPSIS "DESCRIPCIÓN" AVISOS COPIAS "ESTADO DE SALIDA" ENTORNO FICHEROS; do
  grep -qx "$name" "$scratch/page"; check $? "section $name"
done
head -n 1 "$scratch/page" | grep -q "Órdenes de usuario"; check $? "page header in Spanish"

# In step with the help: the usage lines make the synopsis, and every word
# of the rest of the help is in the page, accents and all.
sed -n '/^Uso: /,/^$/{s/^Uso: *//;s/^ *//;/./p}' "$scratch/help" >"$scratch/usage"
[ "$(wc -l <"$scratch/usage")" -ge 2 ] && [ "$(section SINOPSIS | sed 's/^ *//;/^$/d')" = "$(cat "$scratch/usage")" ]
check $? "the synopsis is the help's usage"
words() { tr -s ' ' '\n' | sed '/^$/d' | sort -u; }
sed '/^Uso: /,/^$/d' "$scratch/help" | words >"$scratch/help.words"
words <"$scratch/page" >"$scratch/page.words"
missing=$(comm -23 "$scratch/help.words" "$scratch/page.words" | tr '\n' ' ')
[ -z "$missing" ] && grep -q "omisión" "$scratch/help.words"; check $? "words of the help missing in the page: $missing"
# The exit statuses the help gives are the ones the page explains.
help_statuses=$(tr '\n' ' ' <"$scratch/help" | grep -o "Estado de salida:[^.]*" | grep -o '\b[0-9]\+ ' | tr -d ' ' | sort -n)
page_statuses=$(section "ESTADO DE SALIDA" | sed -n 's/^ \{7\}\([0-9]\+\) .*/\1/p' | sort -n)
[ -n "$help_statuses" ] && [ "$help_statuses" = "$page_statuses" ]
check $? "exit statuses of the help (${help_statuses//$'\n'/ }) and the page (${page_statuses//$'\n'/ })"

# The completion loads and offers the commands.
completion=$root/usr/share/bash-completion/completions/transvardelzarp
# shellcheck disable=SC2016
offered=$(bash -c '. "$1" && COMP_WORDS=(transvardelzarp "") COMP_CWORD=1 && _transvardelzarp && echo "${COMPREPLY[*]}"' _ "$completion")
[ "$offered" = "exportar importar comprobar restaurar" ]; check $? "completion of the commands: $offered"

# The sample school, exported and imported by the installed program; every
# kind of warning it reports is explained in the page.
cp -r "$samples" "$scratch/zarp"; rm -f "$scratch/zarp/SOLUC.DBF"; mkdir "$scratch/vtemp"
"$tool" exportar "$scratch/zarp" --vtemp "$scratch/vtemp" --informe "$scratch/export.json" >"$scratch/out" 2>/dev/null
s=$?; [ $s = 0 ] && [ "$(find "$scratch/vtemp" -name "*.DBF" | wc -l)" = 6 ]; check $? "export of the sample school (status $s)"
cp "$samples/SOLUC.DBF" "$scratch/vtemp/"
"$tool" importar "$scratch/zarp" --vtemp "$scratch/vtemp" --informe "$scratch/import.json" >"$scratch/out" 2>/dev/null
s=$?; [ $s = 0 ] && [ -s "$scratch/zarp/ZARP_HORARIO.TXT" ]; check $? "import of the sample timetable (status $s)"
kinds=$(cat "$scratch/export.json" "$scratch/import.json" | grep -o '"tipo": "[a-z_]*"' | cut -d'"' -f4 | sort -u)
explained=$(section AVISOS | sed -n 's/^ \{7\}\([a-z_]\+\)$/\1/p' | sort -u)
unexplained=$(comm -23 <(echo "$kinds") <(echo "$explained") | tr '\n' ' ')
[ "$(echo "$kinds" | wc -l)" -ge 10 ] && [ -z "$unexplained" ]; check $? "kinds of warning not in the page: $unexplained"

if [ "$contract" = --contract ]; then
  bash "$here/../cli/cli_test.sh" "$tool" "$samples"; check $? "the command line's contract"
fi

echo "$((checks - failures)) passed, $failures failed"
[ $failures -eq 0 ]
