# Sourced inside the Xvfb session of an end-to-end test: starts the real station and drives it by
# keys. DVQ3_PROGRAM_FOLDER, XDG_RUNTIME_DIR and DVQ3_E2E_STATE are set by the caller.

# start_station PROGRAM_DIR: starts the station and waits until its main menu lists the clients.
start_station() {
    "$1/dvq3test" /NOWAIT &
    pid=$!
    for _ in $(seq 1 100); do
        [ -s "$DVQ3_E2E_STATE" ] && break
        sleep 0.2
    done
}

# focus TITLE: gives the keyboard to the station's window whose title starts with TITLE (there is
# no window manager to do it).
focus() {
    for _ in $(seq 1 75); do
        id=$(xdotool search --onlyvisible --name "^$1" | tail -1) && [ -n "$id" ] && break
        sleep 0.2
    done
    xdotool windowfocus --sync "$id"
    sleep 0.5
}

keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
typed() { xdotool type --delay 60 "$1"; sleep 0.3; }

stop_station() {
    kill "$pid"
    wait "$pid" || true
}
