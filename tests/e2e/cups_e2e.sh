#!/usr/bin/env bash
# Prints through a private CUPS scheduler with the real station under Xvfb, driven by keys: the
# current client's report from the viewer, selected clients, all clients and the blank answer
# sheet. Every job must carry the report file's pages, one job per client in client order; a
# paused or rejecting queue and a stopped scheduler must show the printer-fault message and
# print nothing; a scheduler without a queue keeps the no-printer PDF offer.
# usage: cups_e2e.sh PROGRAM_DIR ARTIFACT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
artifacts=$2
mkdir -p "$artifacts"
for tool in cupsd lpadmin lpstat cupsdisable cupsreject pdfinfo pdftotext pdftoppm xvfb-run; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
done
. "$here/station_keys.sh"
station_copy "$program"
printf '[Path]\r\nFilePath=%s\r\n' "$work/disk" >"$work/dvq3test.ini"
clients=$(($(stat -c %s "$work/before.dvq") / 176))

# The scheduler: its own configuration, spool, logs and socket; nothing of the system's.
cups=$work/cups
mkdir -p "$cups"/{conf,spool/tmp,cache,state,log,jobs}
# The filters run as the scheduler's own user, not root.
chmod 755 "$work" "$cups"
chmod 1777 "$cups/spool/tmp" "$cups/jobs"
export CUPS_SERVER=$cups/cups.sock
cat >"$cups/conf/cups-files.conf" <<EOF
ServerRoot $cups/conf
RequestRoot $cups/spool
TempDir $cups/spool/tmp
CacheDir $cups/cache
StateDir $cups/state
ErrorLog $cups/log/error_log
AccessLog $cups/log/access_log
PageLog $cups/log/page_log
Printcap $cups/printcap
FileDevice Yes
EOF
cat >"$cups/conf/cupsd.conf" <<EOF
Listen $CUPS_SERVER
LogLevel info
Browsing No
WebInterface No
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
EOF
# The queue passes the station's PDF through unchanged to its file device; its one filter also
# keeps each job's document under the job's number, since the device file holds the last only.
cat >"$cups/pass" <<EOF
#!/bin/sh
cat "\${6:-/dev/stdin}" | tee "$cups/jobs/\$(printf %05d "\$1").pdf"
EOF
chmod 755 "$cups/pass"
cat >"$cups/pass.ppd" <<EOF
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "DVQ3PASS.PPD"
*Manufacturer: "DVQ3"
*Product: "(Pass)"
*ModelName: "DVQ3 Pass"
*ShortNickName: "DVQ3 Pass"
*NickName: "DVQ3 Pass"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 $cups/pass"
*OpenUI *PageSize/Media Size: PickOne
*DefaultPageSize: Letter
*PageSize Letter/US Letter: ""
*CloseUI: *PageSize
*DefaultPageRegion: Letter
*DefaultImageableArea: Letter
*ImageableArea Letter: "0 0 612 792"
*DefaultPaperDimension: Letter
*PaperDimension Letter: "612 792"
EOF

cupsd_pid=""
start_cupsd() {
    cupsd -f -c "$cups/conf/cupsd.conf" -s "$cups/conf/cups-files.conf" &
    cupsd_pid=$!
    for _ in $(seq 1 100); do lpstat -r >/dev/null 2>&1 && return; sleep 0.1; done
    echo "the private scheduler did not start"; cat "$cups/log/error_log"; exit 1
}
stop_cupsd() {
    [ -n "$cupsd_pid" ] || return 0
    kill "$cupsd_pid" && wait "$cupsd_pid" || true
    cupsd_pid=""
}
trap 'stop_cupsd; rm -rf "$work"' EXIT
start_cupsd
lpadmin -p dvq3 -E -v "file:$cups/device.pdf" -P "$cups/pass.ppd" 2>/dev/null
lpadmin -d dvq3

fail() { echo "$*"; exit 1; }
jobs_done() { ls "$cups/jobs" | wc -l; }
# wait_jobs N: until N documents have reached the device and the queue is empty.
wait_jobs() {
    for _ in $(seq 1 150); do
        [ "$(jobs_done)" -ge "$1" ] && [ -z "$(lpstat -o dvq3)" ] && return
        sleep 0.2
    done
    fail "expected $1 printed jobs, have $(jobs_done)"
}
# wait_message N: until the station has shown N message boxes.
wait_message() {
    for _ in $(seq 1 150); do
        [ "$(wc -l <"$work/messages.txt")" -ge "$1" ] && return
        sleep 0.2
    done
    fail "expected message $1; the station showed:"$'\n'"$(cat "$work/messages.txt")"
}

# check_job JOB REPORT CLIENT: the job is CLIENT's report and its pages are the report file's
# pages, text for text: each page as laid out, without trailing blanks, blank edge lines or the
# margin common to all its lines (pdftotext lays the text out from its leftmost character).
check_job() {
    python3 - "$1" "$2" "$3" "$work/disk/DATA401.DVQ" <<'PY' || fail "$1 is not the report $2"
import difflib, subprocess, sys, textwrap
job, report, client, disk = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
# The station's code page, Windows-1252; its five unassigned bytes (a sample name holds some) are
# control characters, which print as blank cells.
def decode(data):
    return "".join(" " if b in (0x81, 0x8D, 0x8F, 0x90, 0x9D) else bytes([b]).decode("cp1252")
                   for b in data)
def tidy(page):
    return textwrap.dedent("\n".join(l.rstrip() for l in page.split("\n")).strip("\n"))
text = decode(open(report, "rb").read()).replace("\r", "")
expected = [tidy(p) for p in text.rstrip("\n\f ").split("\f")]
info = subprocess.run(["pdfinfo", job], capture_output=True, text=True, check=True).stdout
pages = int(next(l.split()[1] for l in info.splitlines() if l.startswith("Pages:")))
if pages != len(expected):
    sys.exit(f"{job} has {pages} pages, the report {len(expected)}")
printed = []
for p in range(1, pages + 1):
    # Courier at 11.5 points is 6.9 points a character: one column of text to one of the page.
    page = subprocess.run(["pdftotext", "-layout", "-fixed", "6.9", "-f", str(p), "-l", str(p),
                           job, "-"], capture_output=True, text=True, check=True).stdout
    printed.append(tidy(page.replace("\f", "")))
    if printed[-1] != expected[p - 1]:
        sys.stdout.writelines(difflib.unified_diff(expected[p - 1].splitlines(True),
                                                   printed[-1].splitlines(True), "report", "printed"))
        sys.exit(f"page {p} differs")
# The client's name as the data disk holds it (a record is 176 bytes, the name its first 25).
name = decode(open(disk, "rb").read()[176 * (client - 1):][:25]).rstrip()
if f"NAME OR ID#        : {name}" not in printed[0]:
    sys.exit(f"{job} is not the report of client {client}, {name!r}")
PY
}
job() { ls "$cups/jobs"/*.pdf | sed -n "${1}p"; }

# Inside Xvfb: one station, each scenario started from the main menu and waited for.
: >"$work/messages.txt"
cat >"$work/inside.sh" <<INSIDE
set -euo pipefail
. "$here/station_keys.sh"
station_env "$work"
start_station "$program"
# report_option N: "Supervisor Options", the report option N (0 current, 1 selected, 2 all), the
# secret code.
report_option() {
    focus Corvalent-III
    keys Down Up Tab Down Down Return
    focus "Supervisor Options"
    keys Tab
    for _ in \$(seq 1 "\$1"); do keys Down; done
    keys Tab Tab Return               # past "One page summary report" to "Execute Selection"
    focus "Secret Code"
    typed k; keys Return Return
}
taken=0
while :; do
    step=\$(sed -n "\$((taken + 1))p" "$work/steps")
    if [ -z "\$step" ]; then sleep 0.1; continue; fi
    taken=\$((taken + 1))
    case \$step in
    viewer) report_option 0; focus "Client Report"; keys Return Escape ;;
    selected) report_option 1; focus "Print Selected"; keys space Down Down space Tab Return ;;
    # Refused, the list stays open for another try; its third button gives up.
    selected_refused)
        report_option 1; focus "Print Selected"; keys space Tab Return
        focus "Print Selected"; keys Down Down Return ;;
    all) report_option 2 ;;
    sheet) focus Corvalent-III; keys alt+o a ;;
    quit) break ;;
    esac
    import -window root "$artifacts/cups-\$taken-\$step.png"
    echo "\$step" >>"$work/steps.done"
done
stop_station
INSIDE
: >"$work/steps"
: >"$work/steps.done"
# Its own process group, so that a failure here ends the station and the display with it.
setsid xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/inside.sh" &
xvfb=$!
cleanup() {
    set +e
    kill -- -"$xvfb" 2>/dev/null
    wait "$xvfb"
    stop_cupsd
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 1 100); do [ -s "$work/state.txt" ] && break; sleep 0.2; done
[ -s "$work/state.txt" ] || fail "the station did not reach its main menu"
# step NAME: has the station do NAME and waits until its keys are sent.
step() {
    local before
    before=$(wc -l <"$work/steps.done")
    echo "$1" >>"$work/steps"
    for _ in $(seq 1 300); do [ "$(wc -l <"$work/steps.done")" -gt "$before" ] && return; sleep 0.2; done
    fail "step $1 did not finish"
}

# The current client's report from the viewer: one job, the report file's pages.
step viewer
wait_jobs 1
check_job "$(job 1)" "$work/report.prn" 1
echo "viewer: one job of $(pdfinfo "$(job 1)" | sed -n 's/^Pages: *//p') pages"

# Clients 1 and 3 selected: two jobs in list order, the numbered copies' pages.
step selected
wait_jobs 3
check_job "$(job 2)" "$work/temp1" 1
check_job "$(job 3)" "$work/temp2" 3
echo "selected: clients 1 and 3 in two jobs"

# Every client: one job per client, in client order.
step all
wait_jobs $((3 + clients))
for c in $(seq 1 "$clients"); do check_job "$(job $((3 + c)))" "$work/temp$c" "$c"; done
echo "all: $clients jobs in client order"
[ -s "$work/messages.txt" ] && fail "printing showed messages: $(cat "$work/messages.txt")"

# The blank answer sheet at 100 %: its registration boxes 771 +- 2 px apart at 100 dpi.
step sheet
wait_jobs $((4 + clients))
sheet=$(job $((4 + clients)))
pdftoppm -r 100 -gray -singlefile "$sheet" "$work/sheet"
cp "$sheet" "$artifacts/cups-answer-sheet.pdf"
python3 - "$work/sheet.pgm" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, pos = [], 0
while len(fields) < 4:  # P5 width height maxval, then one byte a pixel
    while data[pos:pos + 1].isspace(): pos += 1
    end = pos
    while not data[end:end + 1].isspace(): end += 1
    fields.append(data[pos:end]); pos = end
width, height = int(fields[1]), int(fields[2])
pixels = data[pos + 1:]
dark = [x for y in range(height) for x in range(width) if pixels[y * width + x] < 64]
left = [x for x in dark if x < width // 2]
right = [x for x in dark if x >= width // 2]
assert width == 850 and height == 1100, f"page is {width} x {height} px at 100 dpi"
assert left and right, "registration boxes not found"
gap = min(right) - min(left)
print(f"sheet: registration boxes {gap} px apart")
sys.exit(0 if abs(gap - 771) <= 2 else f"registration boxes {gap} px apart, not 771")
PY

# A paused queue, a queue rejecting jobs, a stopped scheduler: the fault, and no job.
printed=$(jobs_done)
expect_fault() {
    local count=$1 what=$2 title=${3:-Print Report|Error 57:}
    wait_message "$count"
    sed -n "${count}p" "$work/messages.txt" | grep -q "^$title.*$what" ||
        fail "no printer-fault message naming '$what': $(sed -n "${count}p" "$work/messages.txt")"
    [ "$(jobs_done)" = "$printed" ] || fail "a job was printed on a faulty queue"
}
cupsdisable dvq3
step viewer
expect_fault 1 "paused"
step all
expect_fault 2 "paused"
step sheet
expect_fault 3 "paused" "Print Answer Sheet|"
cupsenable dvq3
cupsreject dvq3
step viewer
expect_fault 4 "not accepting jobs"
step selected_refused
expect_fault 5 "not accepting jobs"
cupsaccept dvq3
stop_cupsd
step viewer
expect_fault 6 "printing service .* does not answer"
step all
expect_fault 7 "printing service .* does not answer"
start_cupsd
[ -z "$(lpstat -o)" ] || fail "jobs were left queued: $(lpstat -o)"
[ "$(jobs_done)" = "$printed" ] || fail "a job was printed after the scheduler came back"
echo "paused, rejecting, stopped: the printer-fault message each time, nothing printed"

# A scheduler without any queue: the offer to save a PDF (answered No here).
lpadmin -x dvq3
step viewer
wait_message 8
sed -n 8p "$work/messages.txt" | grep -q "^Print Report|No printer is set up on this station" ||
    fail "no PDF offer without a queue: $(sed -n 8p "$work/messages.txt")"
echo quit >>"$work/steps"
wait "$xvfb"
echo "no queue: the station offers a PDF instead"
