#!/usr/bin/env bash
# Times `kvimeter-cli campaign` on 1, 5 and 20 panels of three genlog months each (about 260,000
# plays a month, 15.6 million plays on 20 panels), as of the quarter's last day, beside a mawk
# script that does the same per-day counting of the booking lines on the same files, with wall
# time and peak memory; on 20 panels also without the plays lists. Then bookings of many lines
# on 5 panels without the lists, each run once: 100, 1,000 and 10,000 random lines whose spots,
# patterns, four-hour windows and periods overlap, and 10,000 lines of exact spots apart over a
# 1,000-name playlist; a run past BENCH_CAMPAIGN_LIMIT seconds (default 600) is stopped and said to
# be over it.
# Uses what `make bench` built (preset linux); writes its data to build/bench-data/campaign once.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/linux
data=$PWD/build/bench-data/campaign
genlog=$bin/bench/genlog
genbooking=$bin/bench/genbooking
cli=$PWD/$bin/cli/kvimeter-cli
bench=$PWD/$bin/bench/bench_load
limit=${BENCH_CAMPAIGN_LIMIT:-600}
for tool in "$genlog" "$genbooking" "$cli" "$bench"; do
    [ -x "$tool" ] || { echo "bench-campaign.sh: $tool is missing; run 'make bench'" >&2; exit 1; }
done

months="2026-10 2026-11 2026-12"
# make_panels FOLDER PANELS PLAYLIST: three months a panel, once.
make_panels() {
    for p in $(seq -f %02g 1 "$2"); do
        for month in $months; do
            file=$1/panel$p/log/AVI_$month.txt
            if [ ! -s "$file" ]; then
                mkdir -p "$(dirname "$file")"
                "$genlog" --year "${month%-*}" --month "${month#*-}" --plays 260000 --playlist "$3" \
                    --seed "$((10#$p * 100 + 10#${month#*-}))" -o "$file.tmp"
                mv "$file.tmp" "$file"
            fi
        done
    done
}
mkdir -p "$data"
make_panels "$data" 20 24

# Six booking lines over the quarter: single spots, patterns, windows, one panel of its own.
booking=$data/kvartal.csv
cat >"$booking" <<'CSV'
Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Panel
Pekárna;Podzim;spot_001.avi;1.10.2026;31.12.2026;6:00;22:00;300;
Pekárna;Vánoce;spot_01*.avi;1.12.2026;24.12.2026;8:00;20:00;2000;
Auto;Zima;spot_01*.avi;15.10.2026;14.11.2026;;;3000;
Kino;Premiéra;SPOT_020.AVI;1.11.2026;30.11.2026;16:00;24:00;150;
Banka;Hypotéka;spot_02*.avi;1.10.2026;31.12.2026;7:00;9:00;200;
Obec;Advent;spot_003.avi;27.11.2026;31.12.2026;;;400;panel01
CSV

# The same counting in mawk: each booking line's days, window and spot (case folded, without
# folders; "*" as ".*"), per day; the counts printed at the end.
awk_script='
FNR == NR { if (FNR > 1) { n++; spot[n] = tolower($3); gsub(/\./, "\\.", spot[n]); gsub(/\*/, ".*", spot[n])
    spot[n] = "^" spot[n] "$"; split($4, a, "."); from[n] = a[3] * 10000 + a[2] * 100 + a[1]
    split($5, a, "."); to[n] = a[3] * 10000 + a[2] * 100 + a[1]
    w1[n] = $6 == "" ? 0 : $6; split(w1[n], a, ":"); w1[n] = a[1] * 60 + a[2]
    w2[n] = $7 == "" ? "24:00" : $7; split(w2[n], a, ":"); w2[n] = a[1] * 60 + a[2]; panel[n] = $9 }
    next }
FNR == 1 { p = FILENAME; sub(/\/log\/.*/, "", p); sub(/.*\//, "", p) }
{ split($1, d, "."); day = d[3] * 10000 + d[2] * 100 + d[1]; split($2, t, ":"); m = t[1] * 60 + t[2]
  name = tolower($4); sub(/.*[\\\/]/, "", name)
  for (i = 1; i <= n; i++)
    if (day >= from[i] && day <= to[i] && m >= w1[i] && m < w2[i] && (panel[i] == "" || panel[i] == p) && name ~ spot[i])
      count[i, p, day]++ }
END { for (k in count) c++; print c " counts" }'

export TZ=${TZ:-Europe/Prague}
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg); files in page cache"
for panels in 1 5 20; do
    args=(--as-of 31.12.2026) files=()
    for p in $(seq -f %02g 1 "$panels"); do
        args+=(--panel "panel$p")
        files+=("$data/panel$p/log/"AVI_*.txt)
    done
    cat "${files[@]}" >/dev/null
    echo
    echo "== $panels panels x 3 months ($((panels * 3 * 260)) thousand plays, $(du -cm "${files[@]}" | tail -1 | cut -f1) MB)"
    (cd "$data" && "$bench" exec 5 "$cli" campaign kvartal.csv "${args[@]}")
    if [ "$panels" = 20 ]; then
        echo "the plays lists written above: $(du -cb "$data"/report/KAMPAN_kvartal*_prehrani.csv \
            "$data"/report/KAMPAN_kvartal*_playout.csv | tail -1 | cut -f1) bytes; without them:"
        (cd "$data" && "$bench" exec 5 "$cli" campaign kvartal.csv "${args[@]}" --no-play-lists)
    fi
    if command -v mawk >/dev/null; then
        (cd "$data" && "$bench" exec 3 mawk -F ';' "$awk_script" kvartal.csv FS='\t' \
            "${files[@]#$data/}")
    fi
done

# Bookings of many lines, on 5 panels, as of the quarter's last day.
names=$data/names1000
make_panels "$names" 5 1000
for lines in 100 1000 10000; do
    "$genbooking" --lines "$lines" --playlist 24 --seed "$lines" --overlapping -o "$data/lines$lines.csv"
done
"$genbooking" --lines 10000 --playlist 1000 --seed 1 --distinct -o "$names/distinct10000.csv"
# The count of many lines, without the plays lists: with a row under each line that counts a play,
# 1,000 of these overlapping lines make 22 GB of lists, and 10,000 more than a disk holds.
five=(--as-of 31.12.2026 --no-play-lists)
for p in 01 02 03 04 05; do five+=(--panel "panel$p"); done

# run_once FOLDER BOOKING: wall time, peak memory and the report files' size of one count.
run_once() {
    local status=0 name=${2%.csv}
    (cd "$1" && /usr/bin/time -f "%e s, peak %M KB" -o time.txt timeout "$limit" "$cli" campaign \
        "$2" "${five[@]}" >/dev/null 2>error.txt) || status=$?
    if [ "$status" = 124 ]; then
        echo "over $limit s"
    elif [ "$status" != 0 ]; then
        echo "failed with status $status: $(head -c 300 "$1/error.txt")"
    else
        echo "$(tail -1 "$1/time.txt"); report files $(du -cb "$1/report/KAMPAN_$name"* | tail -1 |
            cut -f1) bytes, page $(stat -c %s "$1/report/KAMPAN_$name.html") bytes"
    fi
}
echo
echo "== bookings of many lines on 5 panels x 3 months (3.9 million plays), each run once"
for lines in 100 1000 10000; do
    cat "$data"/panel0[1-5]/log/AVI_*.txt >/dev/null
    echo "$lines overlapping lines: $(run_once "$data" "lines$lines.csv")"
done
cat "$names"/panel0[1-5]/log/AVI_*.txt >/dev/null
echo "10000 exact lines apart, 1,000-name playlist: $(run_once "$names" distinct10000.csv)"
