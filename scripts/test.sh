#!/usr/bin/env bash
# Builds the three configurations and runs every test: native, native under ASan+UBSan,
# and the Windows build under Wine with a virtual display. Exits non-zero if anything fails.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

"scripts/install-deps.sh" all || exit 1

failed=0
passed_total=0
failed_total=0
results=()

run_preset() { # run_preset NAME CTEST-OPTIONS [WRAPPER...]
    local preset=$1 options=$2
    shift 2
    echo "=== $preset: configure and build"
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
        echo "=== $preset: BUILD FAILED"
        results+=("$preset: build failed")
        failed=1
        return
    fi
    echo "=== $preset: test"
    local log="build/$preset/ctest.log"
    # shellcheck disable=SC2086
    "$@" ctest --preset "$preset" -j "$jobs" $options 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        local f=${BASH_REMATCH[1]} n=${BASH_REMATCH[2]}
        passed_total=$((passed_total + n - f))
        failed_total=$((failed_total + f))
    fi
    [ "$status" -eq 0 ] || failed=1
    results+=("$preset: ${line:-no test summary} (exit $status)")
}

run_preset linux ""
run_preset linux-asan "" env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
# Under Wine, roughly one test process in a thousand, any test, ends at once without any
# output. A test that fails three times in a row still fails.
run_preset windows "--repeat until-pass:3" scripts/with-display.sh

# The fuzz targets, 30 s each: the load path and the report writers against the references.
echo "=== fuzz: 30 s per target"
fuzz_lines=$(scripts/fuzz.sh 30)
fuzz_status=$?
echo "$fuzz_lines"
[ "$fuzz_status" -eq 0 ] || failed=1
while IFS= read -r line; do results+=("$line"); done <<<"$fuzz_lines"

echo
printf '%s\n' "${results[@]}"
echo "all: $passed_total passed, $failed_total failed"
exit $failed
