#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS (default 300) on its corpus in
# build/<preset>/corpus, seeded from fuzz/seeds (fuzz/booking-seeds, fuzz/page-seeds).
# Prints one summary line per target and exits non-zero on a finding; the input that found it
# is left in build/<preset>/findings.
#   FUZZ_RUNS=N       run each target for N executions instead of SECONDS
#   FUZZ_PRESET=P     fuzz (ASan+UBSan, the default) or fuzz-ubsan (faster, for long runs)
#   FUZZ_TARGETS="…"  a subset of load_fuzzer report_fuzzer booking_fuzzer page_fuzzer
#   FUZZ_JOBS=J       targets run at a time (default: one per core)
# A corpus is kept between runs, so a long run can be continued where it stopped.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
seconds=${1:-300}
preset=${FUZZ_PRESET:-fuzz}
targets=${FUZZ_TARGETS:-load_fuzzer report_fuzzer booking_fuzzer page_fuzzer}
jobs=${FUZZ_JOBS:-$(nproc)}
if [ -n "${FUZZ_RUNS:-}" ]; then
    length=(-runs="$FUZZ_RUNS")
else
    length=(-max_total_time="$seconds")
fi
for target in $targets; do
    case $target in
        load_fuzzer | report_fuzzer | booking_fuzzer | page_fuzzer) ;;
        *) echo "fuzz: no target $target" >&2; exit 2 ;;
    esac
done
"scripts/install-deps.sh" fuzz >&2 || exit 1
{ cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$(nproc)"; } >&2 || exit 1

export TZ=UTC
out=$PWD/build/$preset  # absolute: a target may change its directory

seeds_of() {
    case $1 in
        booking_fuzzer) echo fuzz/booking-seeds ;;
        page_fuzzer) echo fuzz/page-seeds ;;
        *) echo fuzz/seeds ;;
    esac
}

# Runs one target and leaves its summary line in build/<preset>/<target>.result.
run_target() {
    local target=$1 corpus=$out/corpus/$1 findings=$out/findings/$1 log=$out/$1.log
    mkdir -p "$corpus" "$findings"
    cp -n "$(seeds_of "$target")"/* "$corpus"/ 2>/dev/null
    local start=$SECONDS
    "$out/fuzz/$target" "${length[@]}" -max_len=65536 -timeout=30 -rss_limit_mb=4096 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" >"$log" 2>&1
    local result=$? runs
    runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
    if [ "$result" -eq 0 ]; then
        echo "fuzz $target: ${runs:-?} executions in $((SECONDS - start)) s, no finding"
    else
        echo "fuzz $target: FINDING after ${runs:-?} executions (exit $result), see $log and $findings"
    fi >"$out/$target.result"
}

for target in $targets; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n; done
    rm -f "$out/$target.result"
    run_target "$target" &
done
wait

status=0
for target in $targets; do
    if [ -f "$out/$target.result" ]; then
        cat "$out/$target.result"
    else
        echo "fuzz $target: FINDING: no result, see $out/$target.log"
    fi
    grep -q 'no finding$' "$out/$target.result" 2>/dev/null || status=1
done
exit $status
