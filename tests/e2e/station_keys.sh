# Sourced by the end-to-end tests. Outside Xvfb, station_copy prepares the station's folders;
# inside the Xvfb session the rest starts the real station and drives it by keys
# (the caller sets the environment, or station_env does).

# station_copy PROGRAM_DIR: a work folder $work, removed at exit, holding the program folder's
# data files, a copy of the sample disk in disk/ (its client file kept as before.dvq too) and a
# private runtime folder.
station_copy() {
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$1/DVQ3.MDB" "$1"/*.TXT "$work/"
    cp -r "$1/SampleDisk" "$work/disk"
    cp "$work/disk/DATA401.DVQ" "$work/before.dvq"
    mkdir -m 700 "$work/runtime"
}

# station_env WORK: inside Xvfb, the environment of a station run from the work folder WORK on the
# Xvfb display, its home in WORK and every message box it shows written to WORK/messages.txt.
station_env() {
    export DVQ3_PROGRAM_FOLDER="$1" XDG_RUNTIME_DIR="$1/runtime" DVQ3_E2E_STATE="$1/state.txt"
    export DVQ3_E2E_MESSAGES_FD=7 HOME="$1"
    unset QT_QPA_PLATFORM
    exec 7>>"$1/messages.txt"
}

# start_station PROGRAM_DIR: starts the station and waits until its main menu lists the clients.
start_station() {
    "$1/dvq3test" /NOWAIT &
    pid=$!
    for _ in $(seq 1 100); do
        [ -s "$DVQ3_E2E_STATE" ] && return 0
        sleep 0.2
    done
    echo "station_keys.sh: no main menu 20 s after start-up" >&2
    exit 1
}

# settle: waits until the station has handled every key sent so far and drawn what follows: no
# thread of it is running or waiting to run on three looks in a row (key events wake it). Fails
# when it is still busy after 20 seconds; an ended station has nothing left to handle.
settle() {
    local calm=0 until=$((SECONDS + 20))
    while [ "$SECONDS" -lt "$until" ]; do
        if grep -qs '^[0-9]* (.*) [RD] ' /proc/"$pid"/task/*/stat; then
            calm=0
        else
            calm=$((calm + 1))
            [ "$calm" -ge 3 ] && return 0
        fi
        sleep 0.02
    done
    echo "station_keys.sh: the station is still busy after 20 s" >&2
    exit 1
}

# focus TITLE: gives the keyboard to the station's window whose title starts with TITLE (there is
# no window manager to do it), once the window shows; fails when it has not shown in 15 seconds.
focus() {
    local id=""
    for _ in $(seq 1 75); do
        id=$(xdotool search --onlyvisible --name "^$1" | tail -1) && [ -n "$id" ] && break
        sleep 0.2
    done
    if [ -z "$id" ]; then
        echo "station_keys.sh: no window \"$1\" after 15 s" >&2
        exit 1
    fi
    xdotool windowfocus --sync "$id"
    settle
}

keys() { xdotool key --delay 60 "$@"; settle; }
typed() { xdotool type --delay 60 "$1"; settle; }

stop_station() {
    kill "$pid"
    wait "$pid" || true
}
