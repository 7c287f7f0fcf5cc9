#!/usr/bin/env bash
# Starts the real station under Xvfb on a copy of the sample disk with SANE's pnm device reading
# a rendered, filled answer sheet, and with keys only: "Add New Client", "Scan Answer Sheet",
# the client's name, the insert prompt, the multiple-marks warning, client information (a date
# of birth and licence of "N" typed where the sheet has none), court history and the response
# grid's Save. Then checks the client file byte for byte: the sample disk untouched and the
# scanned client appended.
# usage: scan_e2e.sh PROGRAM_DIR TESTS_DIR ARTIFACT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
tests=$2
artifacts=$3
mkdir -p "$artifacts"
. "$here/station_keys.sh"
station_copy "$program"
mkdir "$work/sane"
printf 'pnm\n' >"$work/sane/dll.conf"
today=$(date +%m/%d/%Y)
"$tests/render_filled_sheet" "$work/sheet.ppm" "$work/scanned.rec" "Pat Doe" "$today"
printf '[Path]\r\nFilePath=%s\r\n[Scanner]\r\nDevice=pnm:0\r\nOptions=filename=%s\r\n' \
    "$work/disk" "$work/sheet.ppm" >"$work/dvq3test.ini"

cat >"$work/inside.sh" <<INSIDE
set -euo pipefail
export DVQ3_PROGRAM_FOLDER="$work" XDG_RUNTIME_DIR="$work/runtime" DVQ3_E2E_STATE="$work/state.txt"
export SANE_CONFIG_DIR="$work/sane"
. "$here/station_keys.sh"
start_station "$program"

focus Corvalent-III
keys Down Up; keys Tab Tab Return # the first client, then past "Edit Current Client" to "Add New Client"
focus "Entry Method"
keys Tab Tab Return               # "Scan Answer Sheet"
focus "Client Name Input"
typed "Pat Doe"; keys Return Return
focus "Test Scan"
keys Return                       # the sheet is in the scanner
focus "Scan sheet Answers"
import -window root "$artifacts/scan-warning.png"
keys Return                       # one item with two marks, listed
focus "Client Information"
import -window root "$artifacts/scanned-client.png"
keys Return                       # "Information OK": the date of birth is missing
keys Return; typed n              # its box closed, "N" typed
keys Return Return Return Return  # date of birth, education, race, marital status
keys Return                       # "Information OK": the licence is missing
keys Return; typed n; keys Return # its box closed, "N" typed
keys Return                       # "Information OK"
focus "Court History"
keys Return Return Return Return  # the three scanned counts, then "Information OK"
focus "Edit Client Responses"
import -window root "$artifacts/scanned-answers.png"
keys Tab Tab Tab Tab Tab Return   # past the five section grids to "Save"
stop_station
INSIDE
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/inside.sh"

cat "$work/before.dvq" "$work/scanned.rec" >"$work/expected.dvq"
if ! cmp "$work/expected.dvq" "$work/disk/DATA401.DVQ"; then
    echo "client file differs from the sample disk with the scanned client appended"
    od -A d -c "$work/disk/DATA401.DVQ" | tail -14
    exit 1
fi
echo "scanned client appended: $(tail -c 176 "$work/disk/DATA401.DVQ" | cut -c1-60)"
