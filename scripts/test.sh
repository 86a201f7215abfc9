#!/usr/bin/env bash
# Builds the three configurations and runs every test: native, native under ASan+UBSan,
# and the Windows build under Wine with a virtual display. Exits non-zero if anything fails.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
jobs=$(nproc)

"scripts/install-deps.sh" all || exit 1

failed=0
passed_total=0
failed_total=0
results=()
failures=()  # one line per failed test: configuration, name, how it failed, its log

# failed_tests CONFIGURATION LOG: the tests that ctest listed as failed in LOG, one line each.
failed_tests() {
    awk -v config="$1" -v logfile="$2" '
        /^The following tests FAILED:/ { listed = 1; next }
        listed && /^[[:space:]]+[0-9]+ - / { sub(/^[[:space:]]+[0-9]+ - /, ""); print "  " config ": " $0 ", log " logfile; next }
        { listed = 0 }' "$2"
}

run_preset() { # run_preset NAME CTEST-OPTIONS [WRAPPER...]
    local preset=$1 options=$2
    shift 2
    echo "=== $preset: configure and build"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
        echo "=== $preset: BUILD FAILED"
        results+=("$preset: build failed")
        last_status=1
        last_failed=0
        return
    fi
    echo "=== $preset: test"
    local log="$PWD/build/$preset/ctest.log"
    # shellcheck disable=SC2086
    "$@" ctest --preset "$preset" -j "$jobs" $options 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    local line f=0 n=0
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        f=${BASH_REMATCH[1]} n=${BASH_REMATCH[2]}
        passed_total=$((passed_total + n - f))
        failed_total=$((failed_total + f))
    fi
    last_status=$status
    last_failed=$f
    last_failures=$(failed_tests "$preset" "$log")
    results+=("$preset: ${line:-no test summary} (exit $status)")
}

add_failures() { [ -n "$1" ] && failures+=("$1"); }

run_preset linux ""
[ "$last_status" -eq 0 ] || failed=1
add_failures "$last_failures"
# The sanitizer build runs from a private copy whose path holds a space and a Czech letter: a
# test that needs the build's folder to be open to every user, or a plain ASCII path, fails
# there, as it would in a user's clone.
if copy=$(scripts/private-copy.sh); then
    echo "=== linux-asan: from the copy in $copy"
    pushd "$copy" >/dev/null || exit 1
    run_preset linux-asan "" env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
    popd >/dev/null || exit 1
    [ "$last_status" -eq 0 ] || failed=1
    add_failures "$last_failures"
else
    failed=1
    results+=("linux-asan: the private copy could not be made")
fi

# Under Wine a test process has been seen, rarely, to end at once without any output (about one
# in a thousand, any test). It did not happen in 1200 starts of one test process tried for it
# (400 one after another, 800 two at a time through scripts/wine-run with piped output, under a
# loaded machine), so its cause is not known: the failed tests get one more run, and the
# summary says how many needed it. A test that fails twice fails. Such quick ends are written
# down by scripts/wine-run with their status.
export KV_WINE_RUN_LOG="$PWD/build/windows/wine-quick-ends.log"
rm -f "$KV_WINE_RUN_LOG"
run_preset windows "" scripts/with-display.sh
windows_failed=$last_failed
windows_failures=$last_failures
if [ "$last_status" -ne 0 ] && [ "$windows_failed" -gt 0 ]; then
    echo "=== windows: the $windows_failed failed tests once more"
    retry_log=build/windows/ctest-retry.log
    scripts/with-display.sh ctest --preset windows --rerun-failed 2>&1 | tee "$retry_log"
    last_status=${PIPESTATUS[0]}
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$retry_log" | tail -1)
    still=$windows_failed
    [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of ]] && still=${BASH_REMATCH[1]}
    [ "$last_status" -eq 0 ] && still=0
    passed_total=$((passed_total + windows_failed - still))
    failed_total=$((failed_total - windows_failed + still))
    results[-1]+=", $windows_failed retried, $((windows_failed - still)) of them passed the second time"
    # What failed the first time stays in the record, even when the second run passed.
    add_failures "$(sed 's/^  windows: /  windows, first run: /' <<<"$windows_failures")"
    add_failures "$(failed_tests windows "$retry_log")"
fi
[ "$last_status" -eq 0 ] || failed=1

# The fuzz targets, 30 s each: the load path and the report writers against the references.
echo "=== fuzz: 30 s per target"
fuzz_lines=$(scripts/fuzz.sh 30)
fuzz_status=$?
echo "$fuzz_lines"
[ "$fuzz_status" -eq 0 ] || failed=1
while IFS= read -r line; do results+=("$line"); done <<<"$fuzz_lines"
add_failures "$(grep FINDING <<<"$fuzz_lines" | sed 's/^/  /')"

echo
printf '%s\n' "${results[@]}"
echo "all: $passed_total passed, $failed_total failed"
if [ ${#failures[@]} -gt 0 ]; then
    echo "failed tests (each test's output is in the log named; ctest's full record is"
    echo "build/CONFIGURATION/Testing/Temporary/LastTest.log):"
    printf '%s\n' "${failures[@]}"
fi
if [ -s "$KV_WINE_RUN_LOG" ]; then
    echo "Wine runs that failed within 100 ms ($KV_WINE_RUN_LOG):"
    sed 's/^/  /' "$KV_WINE_RUN_LOG"
fi
exit $failed
