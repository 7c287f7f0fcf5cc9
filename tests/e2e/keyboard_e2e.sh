#!/usr/bin/env bash
# On a plain X display with no window manager (a kiosk session), keys must reach the station
# right after start-up and again after a modal window closes: Alt+A opens the about box (centred on
# the 1280 x 800 screen), Enter closes it, Alt+A opens it again, Alt+X ends the program.
# usage: keyboard_e2e.sh PROGRAM_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
. "$here/station_keys.sh"
station_copy "$program"
printf '[Path]\r\nFilePath=%s\r\n' "$work/disk" >"$work/dvq3test.ini"

cat >"$work/inside.sh" <<INSIDE
set -uo pipefail
export DVQ3_PROGRAM_FOLDER="$work" XDG_RUNTIME_DIR="$work/runtime" DVQ3_E2E_STATE="$work/state.txt"
unset QT_QPA_PLATFORM
. "$here/station_keys.sh"
start_station "$program"
settle
focused() { xdotool getwindowfocus getwindowname 2>/dev/null || echo "(no window)"; }
# Waits up to ten seconds for the window named \$1 to have the keyboard; prints what has it.
await() {
    for _ in \$(seq 1 50); do
        [ "\$(focused)" = "\$1" ] && break
        sleep 0.2
    done
    focused
}
echo "start: \$(await Corvalent-III)"
xdotool key alt+a
echo "about: \$(await 'About DVQ-III')"
# The box centres itself once laid out: give it a moment under load.
for _ in \$(seq 1 25); do
    eval "\$(xdotool search --name 'About DVQ-III' getwindowgeometry --shell | head -5)"
    centre="\$((X + WIDTH / 2)),\$((Y + HEIGHT / 2))"
    [ "\$centre" = "640,400" ] && break
    sleep 0.2
done
echo "about centre: \$centre"
xdotool key Return
echo "closed: \$(await Corvalent-III)"
xdotool key alt+a
echo "again: \$(await 'About DVQ-III')"
xdotool key Return
await Corvalent-III >/dev/null
xdotool key alt+x
for _ in \$(seq 1 50); do
    kill -0 \$pid 2>/dev/null || break
    sleep 0.2
done
if kill -0 \$pid 2>/dev/null; then echo "end: running"; kill \$pid; else echo "end: exited"; fi
INSIDE
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/inside.sh" >"$work/seen.txt" 2>/dev/null
cat "$work/seen.txt"
expected=$'start: Corvalent-III\nabout: About DVQ-III\nabout centre: 640,400\nclosed: Corvalent-III\nagain: About DVQ-III\nend: exited'
[ "$(cat "$work/seen.txt")" = "$expected" ]
