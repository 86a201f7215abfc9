#!/usr/bin/env bash
# Runs a command with an X display (a private Xvfb unless one works already) and one
# persistent wineserver, so that every Wine process starts fast; both are stopped after.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"

xvfb_pid=""
display_ok() { [ -n "${DISPLAY:-}" ] && [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ]; }
if ! display_ok; then
    # Xvfb picks a free display number itself and names it when it is ready: two runs that start
    # together cannot take the same display (a pick by the lock files could, and the one whose
    # Xvfb failed would then use the other's display until that run ended and closed it).
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 200); do
        [ -s "$display_file" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -1 "$display_file")"
    rm -f "$display_file"
fi

wineserver -p >/dev/null 2>&1 || true
# Wine's desktop process ends a second after its last client goes, and the next program that
# needs it starts it again with that program's output pipes: a test runner then waits for the
# desktop as long as it lives, often half a minute. So one idle client, reading a pipe that only
# we hold, keeps the desktop for the whole run; the desktop and Wine's own services are started
# now, detached from our output.
coproc DESKTOP_CLIENT { wine cmd /c "set /p x=" >/dev/null 2>&1; }
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true

"$@"
status=$?

[ -n "${DESKTOP_CLIENT[1]:-}" ] && exec {DESKTOP_CLIENT[1]}>&-
wineserver -k >/dev/null 2>&1 || true
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
exit $status
