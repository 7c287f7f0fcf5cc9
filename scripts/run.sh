#!/usr/bin/env bash
# Installs what is needed, builds the station and starts it on the bundled sample data disk.
# Without a display the station runs on a virtual one for a few seconds and its main window is
# saved as build/artifacts/station.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/program/dvq3test "$@"
fi
echo "No display: starting the station on a virtual display (build/artifacts/station.png)."
mkdir -p build/artifacts
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    build/program/dvq3test /NOWAIT "$@" &
    pid=$!
    sleep 4
    import -window root build/artifacts/station.png
    kill $pid' _ "$@"
build/program/dvq3tool dump "$PWD/build/program/SampleDisk"
