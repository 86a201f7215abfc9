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
        gui_quit
    done
    # The first start warms the caches and is left out.
    sorted=$(printf "%s\n" "${times[@]:1}" | sort -n | tr "\n" " ")
    read -r -a s <<<"$sorted"
    echo "start to shown window, ${#s[@]} runs: median ${s[2]} ms, min ${s[0]} ms, max ${s[4]} ms"
    cd "$DATA" && wine "$BENCH_WINDOW" 2031-01 7
'

# The campaign dialog against kvimeter-cli.exe on the 20 panels x 3 months of
# scripts/bench-campaign.sh, both under Wine on the same files.
campaign=$(realpath -m build/bench-data/campaign)
if [ ! -s "$campaign/kvartal.csv" ]; then
    echo "bench-window.sh: no campaign data; scripts/bench-campaign.sh writes it" >&2
    exit 0
fi
export CAMPAIGN=$campaign CLI_EXE BENCH_CAMPAIGN
CLI_EXE=$(realpath build/windows/cli/kvimeter-cli.exe)
BENCH_CAMPAIGN=$(realpath build/windows/bench/window/bench_campaign_window.exe)
scripts/with-display.sh bash -c '
    set -euo pipefail
    cd "$CAMPAIGN"
    echo
    echo "== the campaign under Wine, 20 panels x 3 months"
    args=()
    for p in $(seq -f %02g 1 20); do args+=(--panel "panel$p"); done
    cat panel*/log/*.txt >/dev/null
    times=()
    for run in 1 2 3 4 5 6; do
        start=$(date +%s%N)
        wine "$CLI_EXE" campaign kvartal.csv "${args[@]}" >/dev/null
        times+=($(( ($(date +%s%N) - start) / 1000000 )))
    done
    sorted=$(printf "%s\n" "${times[@]:1}" | sort -n | tr "\n" " ")
    read -r -a s <<<"$sorted"
    echo "kvimeter-cli.exe campaign (process start included), ${#s[@]} runs: median ${s[2]} ms, min ${s[0]} ms, max ${s[4]} ms"
    wine "$BENCH_CAMPAIGN" kvartal.csv 5
'
