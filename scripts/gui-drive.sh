# Sourced: drives kvimeter.exe under Wine with real X input events (xdotool), the way a user
# does. Needs DISPLAY and the project's Wine environment (scripts/with-display.sh gives both).

# gui_start DIR: starts kvimeter.exe in working directory DIR; sets GUI_PID.
gui_start() {
    (cd "$1" && exec wine "$KVIMETER_EXE" </dev/null >/dev/null 2>&1) &
    GUI_PID=$!
}

# gui_wait_window TITLE [SECONDS]: the X id of the first mapped window titled exactly TITLE.
gui_wait_window() {
    local title=$1 limit=${2:-20} id
    local deadline=$((SECONDS + limit))
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    echo "gui: no window \"$title\" after ${limit} s" >&2
    return 1
}

# gui_open_main DIR: starts kvimeter.exe in DIR and focuses its main window; sets GUI_PID and
# GUI_MAIN, the window's X id.
gui_open_main() {
    gui_start "$1"
    GUI_MAIN=$(gui_wait_window "Vintaro Kvimeter 2.2" 60) || return 1
    xdotool windowfocus --sync "$GUI_MAIN" 2>/dev/null || true
}

# gui_quit: Escape in the main window, "y" to its question, until the program has ended.
gui_quit() {
    gui_keys Escape
    gui_wait_window "Vintaro Kvimeter" >/dev/null || return 1
    gui_keys y
    gui_wait_exit
}

# gui_wait_gone TITLE [SECONDS]: until no mapped window is titled TITLE.
gui_wait_gone() {
    local title=$1 limit=${2:-20}
    local deadline=$((SECONDS + limit))
    while [ $SECONDS -lt $deadline ]; do
        xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    echo "gui: window \"$title\" still open after ${limit} s" >&2
    return 1
}

# gui_keys KEY...: presses the keys one after the other, as typed.
gui_keys() {
    xdotool key --delay 60 "$@"
}

# gui_type TEXT: types the text into the focused control.
gui_type() {
    xdotool type --delay 60 "$1"
}

# gui_wait_exit [SECONDS]: until the started program has ended.
gui_wait_exit() {
    local limit=${1:-20}
    local deadline=$((SECONDS + limit))
    while [ $SECONDS -lt $deadline ]; do
        kill -0 "$GUI_PID" 2>/dev/null || return 0
        sleep 0.05
    done
    echo "gui: kvimeter.exe still running after ${limit} s" >&2
    return 1
}
