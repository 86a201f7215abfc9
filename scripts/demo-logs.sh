#!/usr/bin/env bash
# Writes demo months with genlog: clean months, as a panel that ran without a fault writes them,
# each the same for the same month (seeded by it).
#   demo-logs.sh DIR YYYY-MM... -- GENLOG...           clean months into DIR/log
#   demo-logs.sh DIR --faults YYYY-MM -- GENLOG...     one month with the odd lines a real log
#                                                      collects (lines cut short, control
#                                                      characters, no dates)
# GENLOG... is the program with any words before it (a Windows genlog.exe after its Wine runner),
# each its own argument, so that paths with spaces stay whole. DEMO_SEED, when set, makes the
# months of a second panel, other than the first's. No play is dated after the day the demo is
# made: the current month ends yesterday, and a later month is left out.
set -euo pipefail
dir=$1
shift
clean=(--clean)
if [ "${1:-}" = --faults ]; then
    clean=()
    shift
fi
months=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    months+=("$1")
    shift
done
[ $# -ge 2 ] || { echo "demo-logs.sh: no genlog after --" >&2; exit 2; }
shift
genlog=("$@")
mkdir -p "$dir/log"
today=$(date +%Y-%m)
for ym in "${months[@]}"; do
    days=()
    if [[ $ym > $today ]]; then
        continue
    elif [ "$ym" = "$today" ]; then
        days=(--days $(( 10#$(date +%d) - 1 )))
    fi
    "${genlog[@]}" --year "${ym%-*}" --month "${ym#*-}" --plays 20000 --playlist 24 \
        --seed "${ym/-/}${DEMO_SEED:-}" "${clean[@]}" "${days[@]}" -o "$dir/log/AVI_$ym.txt"
done
