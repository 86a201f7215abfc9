#!/usr/bin/env bash
# Times kvimeter.exe under Wine (warm wineserver, private display): the start of the program
# until its window is shown, and the click on "Načíst data" until the list has painted the rows
# of a 1M-play month. Uses the Windows build and the months that scripts/bench.sh wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
data=$(realpath build/bench-data)
[ -s "$data/log/AVI_2031-01.txt" ] || { echo "bench-window.sh: run scripts/bench.sh first" >&2; exit 1; }
export KVIMETER_EXE BENCH_WINDOW DATA=$data
KVIMETER_EXE=$(realpath build/windows/app/kvimeter.exe)
BENCH_WINDOW=$(realpath build/windows/bench/window/bench_window.exe)

scripts/with-display.sh bash -c '
    set -euo pipefail
    . scripts/gui-drive.sh
    echo
    echo "== the window under Wine"
    times=()
    for run in 1 2 3 4 5 6; do
        start=$(date +%s%N)
        gui_start "$DATA"
        gui_wait_window "Vintaro Kvimeter 2.2" 60 >/dev/null
        times+=($(( ($(date +%s%N) - start) / 1000000 )))
        gui_keys Escape
        gui_wait_window "Vintaro Kvimeter" >/dev/null
        gui_keys y
        gui_wait_exit
    done
    # The first start warms the caches and is left out.
    sorted=$(printf "%s\n" "${times[@]:1}" | sort -n | tr "\n" " ")
    read -r -a s <<<"$sorted"
    echo "start to shown window, ${#s[@]} runs: median ${s[2]} ms, min ${s[0]} ms, max ${s[4]} ms"
    cd "$DATA" && wine "$BENCH_WINDOW" 2031-01 7
'
