#!/usr/bin/env bash
# The release archive as a Windows user receives it.
#   dist_test.sh same-bytes DIST-COMMAND...   built twice, the second time from copies in a folder
#                                             with a space and a Czech letter, the programs of
#                                             other file times: the same archive byte for byte
#   dist_test.sh unpacked DIST-COMMAND...     unpacked into an empty folder: the sums verify,
#                                             kvimeter-cli.exe --help answers, and kvimeter.exe
#                                             started in demo\ creates report\, lists the demo
#                                             month, loads it and saves its summary there
# DIST-COMMAND is scripts/dist.sh with its arguments; its first argument (the archive) is
# replaced by one in a scratch folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mode=$1
shift 2
dist=$1
shift 2
work=$(mktemp -d)
trap 'kill "${GUI_PID:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

case $mode in
same-bytes)
    export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-1764547200}  # the copy below has no history
    "$dist" "$work/first.zip" "$@" >/dev/null
    # Again from a copy of the scripts and programs, in a folder with a space and a Czech letter
    # (as a user's clone may be), the programs with other file times: none of it may reach the
    # archive. GENLOG... is genlog.exe, after its Wine runner when there is one.
    tree="$work/Můj klon"
    mkdir -p "$tree/docs" "$tree/bin"
    cp -r "$(dirname "$dist")" "$tree/scripts"
    cp "$(dirname "$dist")/../docs/ctete.txt" "$tree/docs/"
    cp "$1" "$2" "${@: -1}" "$tree/bin/"
    touch -d 2001-02-03T04:05:06 "$tree/bin/"*
    genlog=("$tree/bin/$(basename "${@: -1}")")
    [ $# -gt 3 ] && genlog=("$tree/scripts/$(basename "$3")" "${genlog[@]}")
    "$tree/scripts/$(basename "$dist")" "$work/second.zip" "$tree/bin/$(basename "$1")" \
        "$tree/bin/$(basename "$2")" "${genlog[@]}" >/dev/null
    cmp "$work/first.zip" "$work/second.zip"
    echo "dist: the same archive twice ($(stat -c %s "$work/first.zip") bytes)"
    ;;
unpacked)
    "$dist" "$work/kvimeter.zip" "$@" >/dev/null
    mkdir "$work/user"
    cd "$work/user"
    unzip -q "$work/kvimeter.zip"
    [ "$(head -c 3 ČTĚTE.txt | od -An -tx1 | tr -d ' ')" = efbbbf ] || {
        echo "dist: ČTĚTE.txt has no byte order mark" >&2
        exit 1
    }
    sha256sum --quiet -c SHA256SUMS.txt
    . "$here/../../scripts/wine-env.sh"
    help=$(wine ./kvimeter-cli.exe --help)
    [[ $help == "použití: kvimeter-cli"* ]] || {
        echo "dist: kvimeter-cli.exe --help did not answer" >&2
        exit 1
    }
    . "$here/../../scripts/gui-drive.sh"
    KVIMETER_EXE=$work/user/kvimeter.exe
    gui_start "$work/user/demo"
    gui_wait_window "Vintaro Kvimeter 2.2" 60 >/dev/null
    [ -d demo/report ] || { echo "dist: no demo\\report after the start" >&2; exit 1; }
    # Load the first month of the list, then save its summary.
    gui_keys Tab Tab Tab space Tab Tab space
    gui_wait_window "Přehled" >/dev/null
    gui_keys Return
    gui_wait_gone "Přehled"
    gui_quit
    month=$(ls demo/log | sed -n 's/^AVI_\(.*\)\.txt$/\1/p')
    rows=$(grep -c . "demo/report/SUM_AVI_$month.txt" || true)
    [ "$rows" -gt 10 ] || { echo "dist: the summary of $month has $rows lines" >&2; exit 1; }
    echo "dist: unpacked, verified, and the window saved the summary of demo month $month"
    ;;
esac
