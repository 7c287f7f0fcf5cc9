#!/usr/bin/env bash
# Starts the real station under Xvfb on a copy of the sample disk and, with keys only, adds a new
# client through "Add New Client": "keyed" keys the answers in from the answer sheet, "onscreen"
# has the client take the test on screen in Spanish and the supervisor type the secret code, and
# checks from screenshots that the client sees nothing of the main menu meanwhile (there is no
# window manager). Then checks the new record byte for byte and that the main menu lists the new
# client.
# usage: admin_e2e.sh PROGRAM_DIR ARTIFACT_DIR keyed|onscreen
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
artifacts=$2
mode=$3
mkdir -p "$artifacts"
. "$here/station_keys.sh"
station_copy "$program"
printf '[Path]\r\nFilePath=%s\r\nSndPath=%s\r\n' "$work/disk" "$work/nosound" >"$work/dvq3test.ini"
clients=$(($(stat -c %s "$work/before.dvq") / 176))

# Item i's answer: keyed 1/2 alternating in section 1 and 1..4 after it; on screen, the k-th
# button (Down k times from the question).
answers=""
for i in $(seq 1 100); do
    if [ "$i" -le 29 ]; then answers+=$((i % 2 + 1)); else answers+=$((i % 4 + 1)); fi
done

cat >"$work/inside.sh" <<INSIDE
set -euo pipefail
export DVQ3_PROGRAM_FOLDER="$work" XDG_RUNTIME_DIR="$work/runtime" DVQ3_E2E_STATE="$work/state.txt"
unset QT_QPA_PLATFORM
. "$here/station_keys.sh"
start_station "$program"
# shot NAME: the whole screen, and beside it the windows shown, the top one first.
shot() {
    settle
    import -window root "$artifacts/$mode-\$1.png"
    xwininfo -root -children | while read -r id rest; do
        case \$id in
        0x*) if xwininfo -id "\$id" | grep -q IsViewable; then echo "\$id \$rest"; fi ;;
        esac
    done >"$artifacts/$mode-\$1.windows"
}

focus Corvalent-III
keys Tab                              # "Add New Client" (no client chosen in the list)
shot menu                             # the station as it stays behind the client's screens
keys Return
focus "Entry Method"
if [ "$mode" = keyed ]; then keys Down Return; else keys Return; fi
focus "Client Information"
typed "Kay Dee"; keys Return
typed 35; keys Return
typed 1; keys Return                  # male
typed 01/02/1980; keys Return
typed 4; keys Return                  # H.S. graduate
typed 3; keys Return                  # Hispanic
typed 1; keys Return                  # single
keys shift+Tab                        # the licence is reached with Tab
typed n; keys Return                  # licence not available
keys Return                           # Information OK
focus "Court History"
typed 2; keys Return
typed 0; keys Return
typed n; keys Return
keys Return                           # Information OK
if [ "$mode" = keyed ]; then
    focus "Edit Client Responses"
    typed "$answers"
    import -window root "$artifacts/keyed-entry.png"
    keys Tab Return                   # Save
else
    focus "Select Presentation Language"
    keys Down Return                  # Spanish
    focus "On Screen Presentation"
    shot begin
    keys Return
    focus "Presentaci"
    shot instructions
    keys Return Return                # general and section 1 instructions
    shot question
    answers="$answers"
    for i in \$(seq 1 100); do
        k=\${answers:\$((i - 1)):1}
        for _ in \$(seq 1 \$k); do xdotool key --delay 30 Down; done
        xdotool key Return
        settle
        case \$i in
        29) focus "Nota de Presentaci"; shot note; keys Return; keys Return ;;
        54 | 77 | 93)
            focus "Nota de Presentaci"; keys Return
            keys Return               # the next section's instructions
            ;;
        100) focus "Nota de Presentaci"; keys Return ;;
        esac
    done
    focus "Secret Code"
    shot secret
    typed k; keys Return Return
fi
settle
import -window root "$artifacts/admin-\$(echo $mode)-menu.png"
stop_station
INSIDE
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/inside.sh"

# From "The test will begin..." to the accepted secret code nothing of the main menu shows.
if [ "$mode" = onscreen ]; then
    python3 "$here/privacy_check.py" "$artifacts/onscreen-menu.png" "$work/state.txt" \
        "$artifacts"/onscreen-{begin,instructions,question,note,secret}.png
fi

# The main menu of a fresh start lists the new client after the others.
rm -f "$work/state.txt"
DVQ3_PROGRAM_FOLDER="$work" XDG_RUNTIME_DIR="$work/runtime" DVQ3_E2E_STATE="$work/state.txt" \
    DVQ3_E2E_QUIT=1 QT_QPA_PLATFORM=offscreen "$program/dvq3test" /NOWAIT
expected_item="item=$((clients + 1))-$(printf '%-25s' 'Kay Dee')"
if ! grep -qxF "$expected_item" "$work/state.txt"; then
    echo "the main menu does not list the new client"
    cat "$work/state.txt"
    exit 1
fi

today=$(date +%m/%d/%Y)
{
    cat "$work/before.dvq"
    printf '%-25s%s' 'Kay Dee' "35101/02/1980431${today}N___-___-__-___-_2 0 N ${answers}00"
} >"$work/expected.dvq"
if ! cmp "$work/expected.dvq" "$work/disk/DATA401.DVQ"; then
    echo "client file differs from the expected new client"
    od -A d -c "$work/disk/DATA401.DVQ" | tail -14
    exit 1
fi
echo "new client $((clients + 1)) added by keys ($mode)"
