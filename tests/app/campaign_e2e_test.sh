#!/usr/bin/env bash
# The campaign proof end to end, driven by real key events through X: open "Důkaz kampaně…" from
# the main window, type the booking's path, add a second panel by typing its path, press
# "Vyhodnotit", wait for the files, close the dialog and the program. The two files must be byte
# for byte those that kvimeter-cli campaign writes for the same booking and panels. The booking
# and the second panel have Czech letters in their names.
#   campaign_e2e_test.sh KVIMETER_EXE KVIMETER_CLI_EXE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/gui-drive.sh"
KVIMETER_EXE=$(realpath "$1")
cli=$(realpath "$2")
export SOURCE_DATE_EPOCH=1796112000
# As on a Czech Windows: the program's narrow paths are Windows-1250, Czech letters included.
export LC_ALL=cs_CZ.UTF-8

work=$(mktemp -d)
trap 'kill "$GUI_PID" 2>/dev/null || true; rm -rf "$work"' EXIT

plays() {  # DAY COUNT NAME
    for ((i = 0; i < $2; i++)); do
        printf '%02d.11.2026\t%02d:%02d:00\tp\t%s\t15\r\n' "$1" $((8 + i / 60)) $((i % 60)) "$3"
    done
}
# The program runs in nadrazi; náměstí lies beside it. The same twice: gui/ and cli/.
for side in gui cli; do
    mkdir -p "$work/$side/nadrazi/log" "$work/$side/náměstí/log"
    { plays 1 6 spot.avi; plays 2 3 spot.avi; } >"$work/$side/nadrazi/log/AVI_2026-11.txt"
    { plays 1 6 spot.avi; plays 2 6 'C:\spoty\spot.avi'; } >"$work/$side/náměstí/log/AVI_2026-11.txt"
    printf '%s\r\n' 'Klient;Kampaň;Spot;Od;Do;Čas od;Čas do;Přehrání za den;Panel' \
        'Pekárna;Ráno;spot.avi;1.11.2026;3.11.2026;6:00;12:00;5;' |
        iconv -f UTF-8 -t CP1250 >"$work/$side/nadrazi/kampaň.csv"
done

gui_open_main "$work/gui/nadrazi"
# From the month combo back to the last control, "Důkaz kampaně…".
gui_keys shift+Tab space
dialog=$(gui_wait_window "Důkaz kampaně")
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
# The booking's edit has the focus; the panel path is reached through its label's mnemonic.
gui_type "kampaň.csv"
gui_keys alt+c
gui_type '..\náměstí'
gui_keys Return alt+v
for file in csv html; do
    deadline=$((SECONDS + 60))
    until [ -s "$work/gui/nadrazi/report/KAMPAN_kampaň.$file" ]; do
        [ $SECONDS -lt $deadline ] || { echo "campaign e2e: no .$file written" >&2; exit 1; }
        sleep 0.05
    done
done
# Esc during the writing waits for the files and closes without asking.
gui_keys Escape
gui_wait_gone "Důkaz kampaně"
# Each key waits until its window has the keyboard: the main window, then its question.
xdotool windowfocus --sync "$GUI_MAIN" 2>/dev/null || true
gui_keys Escape
question=$(gui_wait_window "Vintaro Kvimeter")
xdotool windowfocus --sync "$question" 2>/dev/null || true
gui_keys a  # "Ano": the system's buttons speak Czech too
gui_wait_exit

(cd "$work/cli/nadrazi" && wine "$cli" campaign "kampaň.csv" --panel . --panel '..\náměstí' >/dev/null)
if ! diff -r "$work/cli/nadrazi/report" "$work/gui/nadrazi/report"; then
    echo "campaign e2e: the window's files differ from kvimeter-cli's" >&2
    exit 1
fi
echo "campaign e2e: $(ls "$work/gui/nadrazi/report" | wc -l) files equal kvimeter-cli's"
