#!/usr/bin/env bash
# Starts the real station under Xvfb on a copy of the sample disk and, with keys only, edits the
# first client's demographics and court history through the "Edit Current Client" chain; then
# checks the client file byte for byte, RecordDate included.
# usage: records_e2e.sh PROGRAM_DIR ARTIFACT_DIR
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

focus Corvalent-III
# The client list has the focus: first client, then "Edit Current Client".
keys Down Up; keys Tab Return
focus "Client Information"
# From "Information OK" back to the name, then through the fields with Enter.
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
keys Return
typed 43; keys Return      # age
keys Return Return Return  # sex, date of birth, education as they were
keys Return                # ethnicity/race
typed 2; keys Return       # marital status: married
import -window root "$artifacts/client-information.png"
keys Return                # Information OK
focus "Court History"
keys shift+Tab shift+Tab shift+Tab
typed 3; keys Return       # DUI/DWI arrests
keys Return                # alcohol-related as they were
typed n; keys Return       # drug-related: not available
import -window root "$artifacts/court-history.png"
keys Return                # Information OK
# The answer grid follows; the record is already written and the station is stopped here.
stop_station
INSIDE
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/inside.sh"

today=$(date +%m/%d/%Y)
# The expected file: the sample disk with client 1's changed fields patched in.
patch() { printf '%s' "$2" | dd of="$work/expected.dvq" bs=1 seek="$1" conv=notrunc status=none; }
cp "$work/before.dvq" "$work/expected.dvq"
patch 25 43          # Age
patch 40 2           # Marital: married
patch 41 "$today"    # RecordDate
patch 68 "3 "        # DUIArrests
patch 72 "N "        # DrugArrests
patch 174 2          # EditCount: two changes counted
if ! cmp "$work/expected.dvq" "$work/disk/DATA401.DVQ"; then
    echo "client file differs from the expected edit"
    od -A d -c "$work/disk/DATA401.DVQ" | head -12
    exit 1
fi
echo "client 1 edited by keys: age, marital status, court history, RecordDate $today"
