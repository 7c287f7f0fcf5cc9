# Sourced by the end-to-end tests. Outside Xvfb, station_copy prepares the station's folders;
# inside the Xvfb session the rest starts the real station and drives it by keys
# (DVQ3_PROGRAM_FOLDER, XDG_RUNTIME_DIR and DVQ3_E2E_STATE are set by the caller).

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
