#!/bin/bash
# Reproduces the figures of docs/performance.md:
#  1. the Google Benchmark suite of the hot paths (bench/);
#  2. whole runs of the command line over synthetic schools (tools/
#     synth_school) at each SCALE: wall time, throughput, peak memory, the
#     ratio to the previous size, and beside them the input/output floor:
#     the same input bytes read with cat and the same output bytes written
#     with cp (and flushed with sync, as the program flushes what it writes);
#  3. the time of each export converter at the largest SCALE.
#
#   scripts/bench.sh [SCALE...]     default: 1 10 100 1000
#
# REPEAT (default 3) runs of each measurement, the fastest counts. The data
# goes to build/bench/data (about 400 MB at scale 1000). SKIP_MICRO=1 leaves
# out the benchmark suite. BASELINE=path/to/an/older/transvardelzarp times
# that build too, in the same run, on the same schools: its wall time, ratio
# to the floor and peak memory are added to each row.
set -euo pipefail
cd "$(dirname "$0")/.."

scales=("$@")
[ ${#scales[@]} -gt 0 ] || scales=(1 10 100 1000)
repeat=${REPEAT:-3}
cmake --preset bench >/dev/null
cmake --build --preset bench -j"$(nproc)" --target tvz_benchmarks converter_times transvardelzarp synth_school >/dev/null
bin=build/bench
cli=$bin/src/transvardelzarp
synth=$bin/tools/synth_school/synth_school
data=$bin/data
mkdir -p "$data"

if [ "${SKIP_MICRO:-0}" != 1 ]; then
  echo "== hot paths (Google Benchmark)"
  "$bin/bench/tvz_benchmarks" --benchmark_min_time=0.5 2>/dev/null
  echo
fi

now() { date +%s%N; }
bytes() { cat "$@" | wc -c; }
mb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }
secs() { awk -v n="$1" 'BEGIN { printf "%.3f", n / 1e9 }'; }

# best_of NAME CMD...: the fastest of $repeat runs in ns -> $best; peak
# resident memory of that command (KB) -> $peak.
best_of() {
  best=0 peak=0
  local i t0 t1 m
  for ((i = 0; i < repeat; i++)); do
    t0=$(now)
    /usr/bin/time -f %M -o "$data/mem" "$@" >"$data/out.log" 2>&1 || { cat "$data/out.log"; exit 1; }
    t1=$(now)
    m=$(tail -1 "$data/mem")
    if [ "$best" -eq 0 ] || [ $((t1 - t0)) -lt "$best" ]; then best=$((t1 - t0)); fi
    if [ "$m" -gt "$peak" ]; then peak=$m; fi
  done
}

# floor OUTDIR INPUTS -- OUTPUTS: read the inputs, copy the outputs, flush.
floor_run() {
  local out=$1; shift
  local inputs=() outputs=()
  while [ "$1" != -- ]; do inputs+=("$1"); shift; done
  shift
  outputs=("$@")
  rm -rf "$out" && mkdir -p "$out"
  cat "${inputs[@]}" >/dev/null
  cp "${outputs[@]}" "$out/"
  sync "$out"/*
}

# The baseline's columns: wall time, its ratio to the floor, peak MB.
baseline_columns() {
  printf ' %8s | %6s | %8s |' "$(secs "$1")" "$(awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }')" \
    "$(mb $(($3 * 1024)))"
}

tables=(ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST)
export_rows=() import_rows=()
prev_export=0 prev_import=0
for s in "${scales[@]}"; do
  dir=$data/s$s
  rm -rf "$dir"
  "$synth" "$dir/zarp" "$dir/vtemp" "$s" >/dev/null
  zarp=()
  for f in ZARP_ASIGNAT ZARP_ACTIVIDADES ZARP_PROF ZARP_AULAS ZARP_GRUPO ZARP_ASIGNATGRUPO \
           ZARP_ASIGNATCURSO ZARP_SESIONES; do
    [ -f "$dir/zarp/$f.TXT" ] && zarp+=("$dir/zarp/$f.TXT")
  done

  # Export: the eight ZARP files -> six tables.
  base_ex=""
  if [ -n "${BASELINE:-}" ]; then
    best_of "$BASELINE" exportar "$dir/zarp" --vtemp "$dir/vtemp"
    base_ex_ns=$best base_ex_peak=$peak
  fi
  best_of "$cli" exportar "$dir/zarp" --vtemp "$dir/vtemp"
  ex_ns=$best ex_peak=$peak
  outs=()
  for t in "${tables[@]}"; do outs+=("$dir/vtemp/$t.DBF"); done
  in_bytes=$(bytes "${zarp[@]}")
  out_bytes=$(bytes "${outs[@]}")
  largest=$(for f in "${outs[@]}"; do stat -c %s "$f"; done | sort -n | tail -1)
  best_of bash -c "$(declare -f floor_run); floor_run '$dir/copy' ${zarp[*]} -- ${outs[*]}"
  fl_ns=$best
  ratio=-; [ "$prev_export" -gt 0 ] && ratio=$(awk -v a="$ex_ns" -v b="$prev_export" 'BEGIN { printf "%.1f", a / b }')
  prev_export=$ex_ns
  [ -n "${BASELINE:-}" ] && base_ex=$(baseline_columns "$base_ex_ns" "$fl_ns" "$base_ex_peak")
  export_rows+=("$(printf '| %5s | %8s | %8s | %8s | %7s | %8s | %8s | %6s | %8s | %5s | %5s |' \
    "$s" "$(mb "$in_bytes")" "$(mb "$out_bytes")" "$(secs "$ex_ns")" \
    "$(awk -v b="$in_bytes" -v n="$ex_ns" 'BEGIN { printf "%.1f", b / 1048576 / (n / 1e9) }')" \
    "$(mb $((ex_peak * 1024)))" "$(mb "$largest")" \
    "$(awk -v p="$ex_peak" -v l="$largest" 'BEGIN { printf "%.2f", p * 1024 / l }')" \
    "$(secs "$fl_ns")" "$(awk -v a="$ex_ns" -v b="$fl_ns" 'BEGIN { printf "%.2f", a / b }')" "$ratio")$base_ex")

  # Import: SOLUC and the look-ups (the six tables it opens) and the
  # subjects file -> ZARP_HORARIO.TXT.
  base_im=""
  if [ -n "${BASELINE:-}" ]; then
    best_of "$BASELINE" importar "$dir/zarp" --vtemp "$dir/vtemp"
    base_im_ns=$best base_im_peak=$peak
  fi
  best_of "$cli" importar "$dir/zarp" --vtemp "$dir/vtemp"
  im_ns=$best im_peak=$peak
  ins=()
  for t in SOLUC GRUPOST PROFT AULAT ASIGNOMT DIASHORAST; do ins+=("$dir/vtemp/$t.DBF"); done
  read_tables=$(bytes "${ins[@]}")  # the tables it reads, for the memory ratio
  ins+=("$dir/zarp/ZARP_ASIGNAT.TXT")
  in_bytes=$(bytes "${ins[@]}")
  out=$dir/zarp/ZARP_HORARIO.TXT
  best_of bash -c "$(declare -f floor_run); floor_run '$dir/copy' ${ins[*]} -- $out"
  fl_ns=$best
  ratio=-; [ "$prev_import" -gt 0 ] && ratio=$(awk -v a="$im_ns" -v b="$prev_import" 'BEGIN { printf "%.1f", a / b }')
  prev_import=$im_ns
  [ -n "${BASELINE:-}" ] && base_im=$(baseline_columns "$base_im_ns" "$fl_ns" "$base_im_peak")
  import_rows+=("$(printf '| %5s | %8s | %8s | %8s | %7s | %8s | %8s | %6s | %8s | %5s | %5s |' \
    "$s" "$(mb "$in_bytes")" "$(mb "$(stat -c %s "$out")")" "$(secs "$im_ns")" \
    "$(awk -v b="$in_bytes" -v n="$im_ns" 'BEGIN { printf "%.1f", b / 1048576 / (n / 1e9) }')" \
    "$(mb $((im_peak * 1024)))" "$(mb "$read_tables")" \
    "$(awk -v p="$im_peak" -v l="$read_tables" 'BEGIN { printf "%.2f", p * 1024 / l }')" \
    "$(secs "$fl_ns")" "$(awk -v a="$im_ns" -v b="$fl_ns" 'BEGIN { printf "%.2f", a / b }')" "$ratio")$base_im")
  rm -rf "$dir/copy"
done

head='| scale | in MB | out MB | wall s | in MB/s | peak MB | %-8s | peak/%s | floor s | /floor | ×prev |'
rule='|------:|------:|-------:|-------:|--------:|--------:|---------:|-------:|--------:|------:|------:|'
if [ -n "${BASELINE:-}" ]; then
  head+=' before s | /floor | before peak MB |'
  rule+='---------:|-------:|---------------:|'
fi
last=${scales[${#scales[@]}-1]}
echo "== export converters one by one at scale $last (seconds, one run)"
echo "| converter                  |   records | wall s |"
echo "|----------------------------|----------:|-------:|"
"$bin/bench/converter_times" "$data/s$last/zarp" "$data/s$last/vtemp"
echo
echo "== export (ZARP files -> six tables), best of $repeat"
printf "$head\n" "table MB" "table"
echo "$rule"
printf '%s\n' "${export_rows[@]}"
echo
echo "== import (SOLUC and look-ups -> ZARP_HORARIO.TXT), best of $repeat"
printf "$head\n" "tables MB" "tables"
echo "$rule"
printf '%s\n' "${import_rows[@]}"
