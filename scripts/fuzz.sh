#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz) and runs each for SECONDS (default 300) on its
# corpus in build/fuzz/corpus, seeded from fuzz/seeds (fuzz/booking-seeds, fuzz/page-seeds).
# Prints one summary line per target and exits non-zero on a finding; the input that found it
# is left in build/fuzz/findings.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
"scripts/install-deps.sh" fuzz >&2 || exit 1
{ cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "$(nproc)"; } >&2 || exit 1

export TZ=UTC
status=0
for target in load_fuzzer report_fuzzer booking_fuzzer page_fuzzer; do
    corpus=$PWD/build/fuzz/corpus/$target  # absolute: a target may change its directory
    findings=$PWD/build/fuzz/findings/$target
    mkdir -p "$corpus" "$findings"
    seeds=fuzz/seeds
    [ "$target" = booking_fuzzer ] && seeds=fuzz/booking-seeds
    [ "$target" = page_fuzzer ] && seeds=fuzz/page-seeds
    cp -n "$seeds"/* "$corpus"/ 2>/dev/null
    log=build/fuzz/$target.log
    build/fuzz/fuzz/$target -max_total_time="$seconds" -max_len=65536 -timeout=30 \
        -rss_limit_mb=4096 -artifact_prefix="$findings/" -print_final_stats=1 \
        "$corpus" >"$log" 2>&1
    result=$?
    runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
    if [ "$result" -eq 0 ]; then
        echo "fuzz $target: ${runs:-?} executions in ${seconds} s, no finding"
    else
        echo "fuzz $target: FINDING after ${runs:-?} executions (exit $result), see $log and $findings"
        status=1
    fi
done
exit $status
