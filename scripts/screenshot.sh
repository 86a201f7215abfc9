#!/usr/bin/env bash
# Takes a screenshot of kvimeter.exe with a demo month loaded and a row selected, on a private
# display at the given DPI (Wine's LogPixels, in a prefix of its own for DPIs other than 96).
#   screenshot.sh DEMO-DIR OUT.png [DPI]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
demo=$(realpath "$1")
out=$(realpath -m "$2")
dpi=${3:-96}
. "$here/wine-env.sh"
export KVIMETER_EXE
KVIMETER_EXE=$(realpath "$here/../build/windows/app/kvimeter.exe")
command -v import >/dev/null || { apt-get install -y -qq imagemagick >/dev/null; }

if [ "$dpi" != 96 ]; then
    base=$WINEPREFIX
    export WINEPREFIX="$base-dpi$dpi"
    if [ ! -f "$WINEPREFIX/user.reg" ]; then
        cp -a "$base" "$WINEPREFIX"
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        wineserver -w
    fi
fi

# A screen large enough for the window at 200 %.
for n in $(seq 150 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
done
Xvfb ":$n" -screen 0 2400x1500x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$n"
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done

"$here/with-display.sh" bash -c '
    . "'"$here"'/gui-drive.sh"
    set -e
    gui_open_main "'"$demo"'"
    gui_keys Tab Tab Tab space Tab Down
    sleep 1
    import -window "$GUI_MAIN" "'"$out"'"
    gui_quit'
echo "wrote $out ($dpi DPI)"
