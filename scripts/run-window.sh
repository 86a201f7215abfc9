#!/usr/bin/env bash
# Opens kvimeter.exe under Wine in the demo folder, on the user's display. Without a display it
# says so and shows the same load through kvimeter-cli instead.
#   run-window.sh DEMO-DIR MONTH
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
demo=$1 month=$2
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    . "$here/wine-env.sh"
    exe=$(realpath "$here/../build/windows/app/kvimeter.exe")
    echo "Opening kvimeter.exe in $demo (log/ holds the demo months; \"Důkaz kampaně…\" counts"
    echo "kampan-demo.csv on two panels: $demo itself and $demo/namesti)"
    cd "$demo" && exec wine "$exe"
fi
echo "make run: no display to open the window on (DISPLAY is ${DISPLAY:-not set}); the same load of $month on the command line:"
"$here/../build/linux/cli/kvimeter-cli" -C "$demo" list "$month"
