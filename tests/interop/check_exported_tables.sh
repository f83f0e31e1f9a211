#!/bin/bash
# check_exported_tables.sh <transvardelzarp> <dbfdump> <sample school>
# Exports the sample school and has the independent readers read all six
# tables: names, types, sizes and every value must agree with ours.
set -euo pipefail
tool=$1; dbfdump=$2; samples=$3
here=$(dirname "$0")
/usr/bin/python3 -c 'import dbfread, dbf' 2>/dev/null || { echo "python3-dbfread/python3-dbf missing"; exit 77; }
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/vtemp"
"$tool" exportar "$samples" --vtemp "$scratch/vtemp" >/dev/null
/usr/bin/python3 "$here/check_readers.py" --dbfdump "$dbfdump" "$scratch/vtemp"
