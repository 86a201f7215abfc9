#!/usr/bin/env bash
# Writes demo months with genlog: clean months, as a panel that ran without a fault writes them,
# each the same for the same month (seeded by it).
#   demo-logs.sh GENLOG DIR YYYY-MM...           clean months into DIR/log
#   demo-logs.sh GENLOG DIR --faults YYYY-MM     one month with the odd lines a real log collects
#                                                (lines cut short, control characters, no dates)
# GENLOG may be a command with arguments (a Windows genlog.exe under Wine). DEMO_SEED, when set,
# makes the months of a second panel, other than the first's.
set -euo pipefail
read -r -a genlog <<<"$1"
dir=$2
shift 2
clean=(--clean)
if [ "${1:-}" = --faults ]; then
    clean=()
    shift
fi
mkdir -p "$dir/log"
for ym in "$@"; do
    "${genlog[@]}" --year "${ym%-*}" --month "${ym#*-}" --plays 20000 --playlist 24 \
        --seed "${ym/-/}${DEMO_SEED:-}" "${clean[@]}" -o "$dir/log/AVI_$ym.txt"
done
