#!/bin/bash
# man-page.sh <transvardelzarp> <include file> <work folder>
#
# Writes <work folder>/transvardelzarp.1.gz, the Spanish manual page: help2man
# makes it from the program's own --help and --version, and adds the sections
# of the include file (files, warnings, copies, exit statuses...). The page
# is UTF-8 and compressed without name or time stamp. SOURCE_DATE_EPOCH, when
# set, is the page's date.
set -euo pipefail
tool=$1; include=$2; work=$3
locale=es_ES.UTF-8

mkdir -p "$work"
# help2man names its sections in the page's language only when that locale
# exists. Where the system has not generated it, it is compiled into the
# build folder from the locale sources (Debian's locales), and the system's
# locales stay as they are.
if ! locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; then
  if [ ! -e "$work/locale/$locale/LC_CTYPE" ]; then
    mkdir -p "$work/locale"
    # Status 1: written, with warnings.
    localedef -i es_ES -f UTF-8 "$work/locale/$locale" || [ $? -eq 1 ]
  fi
  export LOCPATH=$work/locale
fi
# help2man takes the synopsis from the lines that begin with its word for
# "usage" ("Modo de empleo") and go on with "o:"; the help says "Uso:" and
# goes on indented. It reads the help through this translation of those
# words, so that the usage lines make the page's SINOPSIS.
mkdir -p "$work/bin"
cat >"$work/bin/transvardelzarp" <<WRAPPER
#!/bin/bash
if [ "\$1" = --help ]; then
  "$tool" --help | sed -e 's/^Uso: /Modo de empleo: /' -e 's/^     transvardelzarp /  o: transvardelzarp /'
  exit "\${PIPESTATUS[0]}"
fi
exec "$tool" "\$@"
WRAPPER
chmod +x "$work/bin/transvardelzarp"
help2man --no-info --locale="$locale" --section=1 --include="$include" \
  --output="$work/transvardelzarp.1" "$work/bin/transvardelzarp"
gzip -9nf "$work/transvardelzarp.1"
