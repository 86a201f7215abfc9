#!/usr/bin/env bash
# Takes a picture of the campaign dialog with the demo booking counted on the demo's two panels,
# on a private display.
#   screenshot-campaign.sh DEMO-DIR OUT.png
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
demo=$(realpath "$1")
out=$(realpath -m "$2")
. "$here/wine-env.sh"
export KVIMETER_EXE
KVIMETER_EXE=$(realpath "$here/../build/windows/app/kvimeter.exe")
command -v import >/dev/null || { apt-get install -y -qq imagemagick >/dev/null; }
rm -f "$demo/report/KAMPAN_kampan-demo.html"

"$here/with-display.sh" bash -c '
    . "'"$here"'/gui-drive.sh"
    set -e
    gui_open_main "'"$demo"'"
    gui_keys shift+Tab space
    dialog=$(gui_wait_window "Důkaz kampaně")
    gui_keys alt+v
    until [ -s "'"$demo"'/report/KAMPAN_kampan-demo.html" ]; do sleep 0.1; done
    # The page is written before the dialog takes the next key; then it has painted its rows.
    gui_keys Down
    sleep 1
    import -window "$dialog" "'"$out"'"
    gui_keys Escape
    gui_wait_gone "Důkaz kampaně"
    gui_quit'
echo "wrote $out"
