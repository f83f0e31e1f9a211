#!/bin/bash
# Runs the libFuzzer targets (preset "fuzz": clang, ASan, UBSan) over their
# seed corpora.
#
#   scripts/fuzz-long.sh [SECONDS [TARGET...]]
#
# SECONDS per target (default 600); TARGET names without "fuzz_" (default:
# all). FUZZ_JOBS targets run at once (default: the cores, at most 2).
# What a target learns stays in build/fuzz/corpus/TARGET for the next run;
# the seeds are tests/fuzz/corpus/TARGET (committed, text) and
# build/fuzz/seeds/TARGET (tables and whole schools, made by make_fuzz_seeds).
# A crash, a leak, a time-out or a broken invariant leaves its input in
# build/fuzz/artifacts/ and makes the script fail; rerun one input with
#   build/fuzz/tests/fuzz/fuzz_TARGET build/fuzz/artifacts/FILE
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/test-summary.sh

seconds=${1:-600}
shift || true
all=(line_records numbers command_line dbf_table export_run import_run)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")
cores=$(nproc)
jobs=${FUZZ_JOBS:-$(( cores < 2 ? cores : 2 ))}

if ! { cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j"$cores" --target fuzz_all >/dev/null; }; then
  summary_add fuzzing 0 1 "the build failed"
  exit 1
fi

root=$PWD/build/fuzz
bin=$root/tests/fuzz
rm -rf "$root/seeds"
"$bin/make_fuzz_seeds" "$root/seeds" "$PWD/samples"
mkdir -p "$root/artifacts" "$root/logs"
# The targets write their inputs to files: keep that in memory when we can.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}" )/tvz-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

dict_of() {
  case "$1" in
    dbf_table|import_run) echo "$PWD/tests/fuzz/dicts/dbf.dict" ;;
    *) echo "$PWD/tests/fuzz/dicts/zarp.dict" ;;
  esac
}

run_one() {
  local t=$1 dirs=("$root/corpus/$1")
  mkdir -p "$root/corpus/$t"
  for d in "$PWD/tests/fuzz/corpus/$t" "$root/seeds/$t"; do
    [ -d "$d" ] && dirs+=("$d")
  done
  TMPDIR=$scratch "$bin/fuzz_$t" "${dirs[@]}" \
    -dict="$(dict_of "$t")" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$root/artifacts/$t-" \
    >"$root/logs/$t.log" 2>&1
}

echo "fuzzing ${targets[*]}: ${seconds}s each, $jobs at a time"
declare -A pid_of
failed=()
start=$(date +%s)
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_one "$t" &
  pid_of[$t]=$!
done
for t in "${targets[@]}"; do
  if ! wait "${pid_of[$t]}"; then failed+=("$t"); fi
done

printf '%-14s %10s %8s %8s  %s\n' target runs cov corpus result
for t in "${targets[@]}"; do
  log=$root/logs/$t.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$( (grep -o 'cov: [0-9]*' "$log" || true) | tail -1 | cut -d' ' -f2)
  corpus=$(ls "$root/corpus/$t" | wc -l)
  result=ok
  [[ " ${failed[*]} " == *" $t "* ]] && result=FAILED
  printf '%-14s %10s %8s %8s  %s\n' "$t" "${runs:-?}" "${cov:-?}" "$corpus" "$result"
done
echo "fuzzing took $(( $(date +%s) - start ))s"
summary_add fuzzing $(( ${#targets[@]} - ${#failed[@]} )) ${#failed[@]} "targets of ${seconds} s each"

if [ ${#failed[@]} -gt 0 ]; then
  for t in "${failed[@]}"; do
    echo "---- fuzz_$t failed; end of build/fuzz/logs/$t.log:"
    grep -v -E '^#[0-9]+ +(NEW|REDUCE|pulse)' "$root/logs/$t.log" | tail -40
  done
  ls -l "$root/artifacts" >&2
  exit 1
fi
