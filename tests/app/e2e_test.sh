#!/usr/bin/env bash
# kvimeter.exe end to end, driven by real key events through X as a user drives it: choose a
# month and a day, tick the time filter and type a window, strip paths, load, select a row, save
# the summary, the selected detail and all details, confirm each box, answer No and then Yes to
# the exit question. The report files must be byte for byte those that kvimeter-cli writes for
# the same month and filter, and the program must have ended.
#   e2e_test.sh KVIMETER_EXE KVIMETER_CLI_EXE [SCREENSHOT.png]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/gui-drive.sh"
KVIMETER_EXE=$(realpath "$1")
cli=$(realpath "$2")
screenshot=${3:-}

work=$(mktemp -d)
trap 'kill "$GUI_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/gui/log" "$work/cli/log"

# Two months; November has plays on several days, inside and outside 8:30 to 23:15.
november() {
    printf '%s\r\n' \
        $'01.11.2026\t09:00:00\tp\tC:\\spoty\\úvod.avi\t12.5' \
        $'02.11.2026\t08:29:59\tp\tC:\\spoty\\úvod.avi\t12.5' \
        $'02.11.2026\t08:30:00\tp\tC:\\spoty\\úvod.avi\t12.5' \
        $'02.11.2026\t12:00:00\tp\tD:\\jiné\\úvod.avi\t12.5' \
        $'02.11.2026\t13:05:10\tp\tžluťoučký kůň.avi\t30' \
        $'02.11.2026\t21:00:00\tp\tžluťoučký kůň.avi\t30' \
        $'02.11.2026\t23:15:00\tp\tžluťoučký kůň.avi\t30' \
        $'02.11.2026\t23:40:00\tp\tnoc.avi\t7.25' \
        $'02.11.2026\t10:00:00\tp\treklama;A.avi\t0.4' \
        $'03.11.2026\t10:00:00\tp\treklama;A.avi\t0.4'
}
october() {
    printf '%s\r\n' $'02.10.2026\t10:00:00\tp\tříjen.avi\t5' $'02.10.2026\t11:00:00\tp\tříjen.avi\t5'
}
for side in gui cli; do
    november | iconv -f UTF-8 -t CP1250 >"$work/$side/log/AVI_2026-11.txt"
    october | iconv -f UTF-8 -t CP1250 >"$work/$side/log/AVI_2026-10.txt"
done

gui_open_main "$work/gui"

# The month combo has the focus; the second month, then day 2.
gui_keys Down Tab Down Down
# Back past the first control and "Důkaz kampaně…" to the time filter, tick it, and into the
# first edit.
gui_keys shift+Tab shift+Tab shift+Tab space Tab Tab Tab Tab
gui_type 8
gui_keys Tab
gui_type 30
gui_keys Tab
gui_type 23
gui_keys Tab
gui_type 15
# Strip paths, load.
gui_keys Tab space Tab space
# Into the list: the first row.
gui_keys Tab Down
[ -n "$screenshot" ] && sleep 0.5 && import -window "$GUI_MAIN" "$screenshot"

for save in summary selected all; do
    gui_keys Tab space
    gui_wait_window "Přehled" >/dev/null
    gui_keys Return
    gui_wait_gone "Přehled"
done

# Konec programu: No is preselected and keeps the window; Esc asks again and Yes ends it.
gui_keys Tab space
gui_wait_window "Vintaro Kvimeter" >/dev/null
gui_keys Return
gui_wait_gone "Vintaro Kvimeter"
kill -0 "$GUI_PID" || { echo "e2e: No ended the program" >&2; exit 1; }
gui_quit

# The month the reports are named after is the one that was chosen.
month=$(cd "$work/gui/report" && ls SUM_AVI_*.txt | sed 's/SUM_AVI_\(.*\)\.txt/\1/')
filter=(--day 2 --from 8:30 --to 23:15 --strip-paths)
cd "$work/cli"
wine "$cli" summary "$month" "${filter[@]}" >/dev/null
wine "$cli" detail "$month" --all "${filter[@]}" >/dev/null
if ! diff -r "$work/cli/report" "$work/gui/report"; then
    echo "e2e: the window's reports differ from kvimeter-cli's" >&2
    exit 1
fi
count=$(ls "$work/gui/report" | wc -l)
[ "$count" -ge 4 ] || { echo "e2e: only $count report files" >&2; exit 1; }
echo "e2e: $count report files of $month equal kvimeter-cli's; the program has ended"
