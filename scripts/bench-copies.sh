#!/bin/bash
# What keeping the replaced tables costs an export: whole exports of a
# synthetic school at SCALE (default 1000) into a working folder that
# already holds the tables, by OLD_CLI (a build without copies, optional)
# and by this build, REPEAT (default 5) runs each, interleaved, the fastest
# counts. Also: this build with COPIAS on another file system (/dev/shm), so
# that the tables are copied rather than linked, and the floor of writing
# the replaced tables once (cp + sync).
#
#   OLD_CLI=/path/to/old/transvardelzarp scripts/bench-copies.sh [SCALE]
set -euo pipefail
cd "$(dirname "$0")/.."
scale=${1:-1000}
repeat=${REPEAT:-5}
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target transvardelzarp synth_school >/dev/null
bin=build/bench
cli=$bin/src/transvardelzarp
data=$bin/data/copies-s$scale
rm -rf "$data" && mkdir -p "$data/zarp" "$data/vtemp"
"$bin/tools/synth_school/synth_school" "$data/zarp" "$data/vtemp" "$scale" >/dev/null
"$cli" exportar "$data/zarp" --vtemp "$data/vtemp" >/dev/null 2>&1

now() { date +%s%N; }
# The machine may be shared: wall time and CPU time (user + system), each
# the fastest of the runs.
declare -A best cpu
run() {  # run NAME CLI
  local t0 t1 c
  t0=$(now)
  /usr/bin/time -f "%U %S" -o "$data/time" "$2" exportar "$data/zarp" --vtemp "$data/vtemp" >/dev/null 2>&1
  t1=$(now)
  c=$(awk '{ printf "%.0f", ($1 + $2) * 1e9 }' "$data/time")
  if [ -z "${best[$1]:-}" ] || [ $((t1 - t0)) -lt "${best[$1]}" ]; then best[$1]=$((t1 - t0)); fi
  if [ -z "${cpu[$1]:-}" ] || [ "$c" -lt "${cpu[$1]}" ]; then cpu[$1]=$c; fi
}
for ((i = 0; i < repeat; i++)); do
  if [ -n "${OLD_CLI:-}" ]; then run old "$OLD_CLI"; fi
  rm -rf "$data/vtemp/COPIAS"
  run linked "$cli"
  rm -rf "$data/vtemp/COPIAS" /dev/shm/tvz-copies && mkdir /dev/shm/tvz-copies
  ln -s /dev/shm/tvz-copies "$data/vtemp/COPIAS"
  run copied "$cli"
  rm -rf "$data/vtemp/COPIAS" /dev/shm/tvz-copies
  mkdir "$data/floor"
  t0=$(now); cp "$data"/vtemp/*.DBF "$data/floor/"; sync; t1=$(now)
  if [ -z "${best[floor]:-}" ] || [ $((t1 - t0)) -lt "${best[floor]}" ]; then best[floor]=$((t1 - t0)); fi
  rm -rf "$data/floor"
done
tables=$(cat "$data"/vtemp/{ASIGNOMT,PROFT,AULAT,GRUPOST,ASIGT,DIASHORAST}.DBF | wc -c)
echo "scale $scale, replaced tables $(awk -v b="$tables" 'BEGIN { printf "%.1f", b / 1048576 }') MB, best of $repeat:"
for k in old linked copied floor; do
  [ -n "${best[$k]:-}" ] || continue
  awk -v n="${best[$k]}" -v c="${cpu[$k]:-}" -v k="$k" \
    'BEGIN { printf "  %-7s %.3f s wall", k, n / 1e9; if (c != "") printf ", %.3f s CPU", c / 1e9; print "" }'
done
