#!/usr/bin/env bash
# Runs a command with an X display (a private Xvfb unless one works already) and one
# persistent wineserver, so that every Wine process starts fast; both are stopped after.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"

xvfb_pid=""
display_ok() { [ -n "${DISPLAY:-}" ] && [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ]; }
if ! display_ok; then
    for n in $(seq 90 140); do
        if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then continue; fi
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.05
        done
        break
    done
fi

wineserver -p >/dev/null 2>&1 || true
# Start Wine's own services now, detached from our output: a test runner that waits for its
# children's output pipes would otherwise wait for them too.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

"$@"
status=$?

wineserver -k >/dev/null 2>&1 || true
[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
exit $status
