#!/usr/bin/env bash
# Starts the real station under Xvfb on a temporary program folder and data disk, checks that
# the main menu comes up with the disk's clients, keeps a screenshot, and checks that a second
# launch brings the first forward instead of opening a second window.
# usage: station_e2e.sh PROGRAM_DIR ARTIFACT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
artifacts=$2
mkdir -p "$artifacts"
. "$here/station_keys.sh"
station_copy "$program"
printf '[Path]\r\nFilePath=%s\r\n' "$work/disk" >"$work/dvq3test.ini"

cat >"$work/inside.sh" <<INSIDE
set -euo pipefail
export DVQ3_PROGRAM_FOLDER="$work" XDG_RUNTIME_DIR="$work/runtime" DVQ3_E2E_STATE="$work/state.txt"
. "$here/station_keys.sh"
start_station "$program"
settle
import -window root "$artifacts/main-menu.png"
xwininfo -root -tree | grep -c '"Corvalent-III"' >"$work/windows-before.txt" || true
# A second launch must end by itself and leave one main window.
timeout 20 "$program/dvq3test" /NOWAIT
echo "second=\$?" >"$work/second.txt"
settle
xwininfo -root -tree | grep -c '"Corvalent-III"' >"$work/windows-after.txt" || true
kill \$pid
wait \$pid || true
INSIDE
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/inside.sh"

fail=0
expect() { # expect FILE TEXT
    if ! grep -qxF -- "$2" "$1"; then
        echo "missing in $(basename "$1"): $2"
        fail=1
    fi
}
cat "$work/state.txt"
expect "$work/state.txt" "title=Corvalent-III"
expect "$work/state.txt" "item=1-Harlan Petrosky          "
expect "$work/state.txt" "item=2-N                        "
expect "$work/state.txt" "item=4-Dwayne T. Okafor-Lind    "
[ "$(grep -c '^item=' "$work/state.txt")" = 4 ] || { echo "expected 4 clients"; fail=1; }
expect "$work/second.txt" "second=0"
expect "$work/windows-before.txt" "1"
expect "$work/windows-after.txt" "1"
[ -s "$artifacts/main-menu.png" ] || { echo "no screenshot"; fail=1; }
exit $fail
