#!/usr/bin/env bash
# Writes the demo months with genlog unless they are there already.
#   demo-logs.sh GENLOG DIR YYYY-MM...
set -euo pipefail
genlog=$1 dir=$2
shift 2
mkdir -p "$dir/log"
seed=1
for ym in "$@"; do
    file="$dir/log/AVI_$ym.txt"
    if [ ! -s "$file" ]; then
        "$genlog" --year "${ym%-*}" --month "${ym#*-}" --plays 20000 --playlist 24 --seed $seed -o "$file"
    fi
    seed=$((seed + 1))
done
