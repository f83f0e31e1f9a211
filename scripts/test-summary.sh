# Source this file: what each stage of the test command gave, one line each,
# kept in the file named by TVZ_SUMMARY (scripts/test-all.sh sets it; without
# it nothing is kept) and printed at the end by summary_print.
#
#   summary_add STAGE PASSED FAILED [NOTE]
#   summary_skip STAGE WHY
#   ctest_stage STAGE [ctest options]   runs ctest, prints its output, keeps
#                                       its counts; the status is ctest's

# Fields are separated by the unit separator, so that an empty one is kept.
_tvz_fs=$'\x1f'

summary_add() {
    [ -n "${TVZ_SUMMARY:-}" ] || return 0
    printf '%s\n' "$1$_tvz_fs$2$_tvz_fs$3$_tvz_fs${4:-}" >>"$TVZ_SUMMARY"
}

summary_skip() {
    [ -n "${TVZ_SUMMARY:-}" ] || return 0
    printf '%s\n' "$1${_tvz_fs}skipped$_tvz_fs$_tvz_fs$2" >>"$TVZ_SUMMARY"
}

# ctest's own last words: "93% tests passed, 2 tests failed out of 29". A run
# that never got there (no tests found, ctest itself failed) counts as one
# failure.
ctest_stage() {
    local stage=$1 log status=0 line total failed
    shift
    log=$(mktemp)
    ctest "$@" 2>&1 | tee "$log" || status=$?
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    rm -f "$log"
    if [ -n "$line" ]; then
        failed=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
        total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
        summary_add "$stage" $((total - failed)) "$failed"
    else
        summary_add "$stage" 0 1 "ctest gave no result"
        [ "$status" -ne 0 ] || status=1
    fi
    return "$status"
}

# One line per stage, then the totals; false when anything failed or a stage
# left no line.
summary_print() {
    local stage passed failed note all_passed=0 all_failed=0
    echo "== summary"
    while IFS=$_tvz_fs read -r stage passed failed note; do
        if [ "$passed" = skipped ]; then
            printf '%-16s skipped: %s\n' "$stage" "$note"
            continue
        fi
        printf '%-16s %s passed, %s failed%s\n' "$stage" "$passed" "$failed" "${note:+ ($note)}"
        all_passed=$((all_passed + passed))
        all_failed=$((all_failed + failed))
    done <"$TVZ_SUMMARY"
    echo "$all_passed passed, $all_failed failed"
    [ "$all_failed" -eq 0 ]
}
