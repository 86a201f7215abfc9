#!/usr/bin/env bash
# The campaign proof end to end, driven by real key events through X: open "Důkaz kampaně…" from
# the main window, type the booking's path, add a second panel by typing its path, press
# "Vyhodnotit", wait for the files, close the dialog and the program. The two files must be byte
# for byte those that kvimeter-cli campaign writes for the same booking and panels.
#   campaign_e2e_test.sh KVIMETER_EXE KVIMETER_CLI_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/gui-drive.sh"
KVIMETER_EXE=$(realpath "$1")
cli=$(realpath "$2")
export SOURCE_DATE_EPOCH=1790000000

work=$(mktemp -d)
trap 'kill "$GUI_PID" 2>/dev/null || true; rm -rf "$work"' EXIT

plays() {  # DAY COUNT NAME
    for ((i = 0; i < $2; i++)); do
        printf '%02d.11.2026\t%02d:%02d:00\tp\t%s\t15\r\n' "$1" $((8 + i / 60)) $((i % 60)) "$3"
    done
}
# The program runs in nadrazi; namesti lies beside it. The same twice: gui/ and cli/.
for side in gui cli; do
    mkdir -p "$work/$side/nadrazi/log" "$work/$side/namesti/log"
    { plays 1 6 spot.avi; plays 2 3 spot.avi; } >"$work/$side/nadrazi/log/AVI_2026-11.txt"
    { plays 1 6 spot.avi; plays 2 6 'C:\spoty\spot.avi'; } >"$work/$side/namesti/log/AVI_2026-11.txt"
    printf '%s\r\n' 'Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Panel' \
        'Pekárna;Ráno;spot.avi;1.11.2026;3.11.2026;6:00;12:00;5;' |
        iconv -f UTF-8 -t CP1250 >"$work/$side/nadrazi/kampan.csv"
done

gui_start "$work/gui/nadrazi"
main=$(gui_wait_window "Vintaro Kvimeter 2.2" 60)
xdotool windowfocus --sync "$main" 2>/dev/null || true
# From the month combo back to the last control, "Důkaz kampaně…".
gui_keys shift+Tab space
gui_wait_window "Důkaz kampaně" >/dev/null
# The booking's edit has the focus; the panel path is reached through its label's mnemonic.
gui_type "kampan.csv"
gui_keys alt+c
gui_type '..\namesti'
gui_keys Return alt+v
for file in csv html; do
    deadline=$((SECONDS + 60))
    until [ -s "$work/gui/nadrazi/report/KAMPAN_kampan.$file" ]; do
        [ $SECONDS -lt $deadline ] || { echo "campaign e2e: no .$file written" >&2; exit 1; }
        sleep 0.05
    done
done
# The files are written before the dialog takes the next key: Esc closes it only then.
gui_keys Escape
gui_wait_gone "Důkaz kampaně"
gui_keys Escape
gui_wait_window "Vintaro Kvimeter" >/dev/null
gui_keys y
gui_wait_exit

(cd "$work/cli/nadrazi" && wine "$cli" campaign "kampan.csv" --panel . --panel '..\namesti' >/dev/null)
if ! diff -r "$work/cli/nadrazi/report" "$work/gui/nadrazi/report"; then
    echo "campaign e2e: the window's files differ from kvimeter-cli's" >&2
    exit 1
fi
echo "campaign e2e: $(ls "$work/gui/nadrazi/report" | wc -l) files equal kvimeter-cli's"
