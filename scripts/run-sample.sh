#!/bin/bash
# Builds the command line and runs both conversions on the bundled sample
# school, in a scratch folder: the export writes the six tables, then the
# import turns the sample timetable (SOLUC) into ZARP_HORARIO.TXT. Each run
# prints its report's summary and leaves the whole report as JSON beside.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh native
cmake -S . -B build/sample -DCMAKE_BUILD_TYPE=Release -DTVZ_BUILD_TESTS=OFF >/dev/null
cmake --build build/sample -j"$(nproc)" --target transvardelzarp >/dev/null
tool=build/sample/src/transvardelzarp

scratch=$(mktemp -d /tmp/transvardelzarp-sample.XXXXXX)
cp -r samples/escuela "$scratch/zarp"
rm -f "$scratch/zarp/SOLUC.DBF"
mkdir "$scratch/VTEMP"

echo "== exportar: $scratch/zarp -> $scratch/VTEMP"
start=$(date +%s%N)
"$tool" exportar "$scratch/zarp" --vtemp "$scratch/VTEMP" --informe "$scratch/exportar.json"
end=$(date +%s%N)
echo "exportar took $(( (end - start) / 1000000 )) ms"
ls -l "$scratch/VTEMP"

echo
echo "== importar: SOLUC (the sample timetable) -> $scratch/zarp/ZARP_HORARIO.TXT"
cp samples/escuela/SOLUC.DBF "$scratch/VTEMP/"
"$tool" importar "$scratch/zarp" --vtemp "$scratch/VTEMP" --informe "$scratch/importar.json"
head -n 5 "$scratch/zarp/ZARP_HORARIO.TXT"
echo "..."
tail -n 2 "$scratch/zarp/ZARP_HORARIO.TXT"
echo
echo "Everything written is in $scratch"
