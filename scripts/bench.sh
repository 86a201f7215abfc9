#!/usr/bin/env bash
# Times loading realistic months of 1M and 10M plays: in process (load + sort + group) and
# through `kvimeter-cli list`, with mawk grouping the same file for comparison, and writing the
# month's HTML page after the load (and its size). Uses what `make bench` built (preset linux);
# writes its data to build/bench-data once.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/linux
data=build/bench-data
genlog=$bin/bench/genlog
cli=$bin/cli/kvimeter-cli
bench=$bin/bench/bench_load
for tool in "$genlog" "$cli" "$bench"; do
    [ -x "$tool" ] || { echo "bench.sh: $tool is missing; run 'make bench'" >&2; exit 1; }
done

mkdir -p "$data/log"
month_file() { echo "$data/log/AVI_$1.txt"; }
make_month() { # make_month YYYY-MM PLAYS
    local file
    file=$(month_file "$1")
    if [ ! -s "$file" ]; then
        echo "writing $file ($2 plays)"
        "$genlog" --year "${1%-*}" --month "${1#*-}" --plays "$2" --playlist 100 --seed 7 -o "$file.tmp"
        mv "$file.tmp" "$file"
    fi
}
make_month 2031-01 1000000
make_month 2031-02 10000000

export TZ=${TZ:-Europe/Prague}
load() { cut -d' ' -f1-3 /proc/loadavg; }
echo "machine: $(nproc) cores, load average $(load); times are wall clock with the file in page cache"
for run in "2031-01 1M 9" "2031-02 10M 5"; do
    read -r month label runs <<<"$run"
    file=$(month_file "$month")
    cat "$file" >/dev/null  # into the page cache
    echo
    echo "== $label plays ($(du -m "$file" | cut -f1) MB)"
    "$bench" inproc "$runs" "$file"
    "$bench" exec "$runs" "$cli" -C "$data" list "$month"
    if command -v mawk >/dev/null; then
        "$bench" exec "$runs" mawk -F '\t' '{ n[$4]++ } END { for (k in n) print k, n[k] }' "$file"
    fi
    "$bench" exec "$runs" cat "$file"
    "$bench" html "$runs" "$file" "$data/html-$month"
    echo "load average now $(load)"
done

echo
echo "== writing all detail reports of 1M plays, 100 animations"
"$bin/bench/reports/bench_reports" --plays 1000000 --animations 100 --runs 5 --dir "$data/reports"
