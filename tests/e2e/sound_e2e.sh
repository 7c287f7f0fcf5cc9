#!/usr/bin/env bash
# Gives the on-screen test with the real station under Xvfb, driven by keys, through a private
# PulseAudio server whose null sink is recorded: the general instructions, section 1's
# instructions, item 1's question and answers must play in order, each whole, and moving on to
# another answer must stop the prompt playing. In English the station is then started again
# with no sound server at all: it gives the test in silence, shows no message and keeps the
# help line of a station without sound.
# usage: sound_e2e.sh PROGRAM_DIR ARTIFACT_DIR English|Spanish
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
artifacts=$2
language=$3
mkdir -p "$artifacts"
for tool in pulseaudio pactl parec xvfb-run xdotool import convert python3; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup.sh installs it)"; exit 1; }
done
. "$here/station_keys.sh"
station_copy "$program"
printf '[Path]\r\nFilePath=%s\r\nSndPath=%s\r\n' "$work/disk" "$program/Sounds" >"$work/dvq3test.ini"
folder=$program/Sounds/dvq3test/sound/$language
title="Question Presentation"
[ "$language" = English ] || title="Presentaci"
check="python3 $here/sound_check.py"
fail() { echo "$*"; exit 1; }

# Item 1's prompts, as the question database names them.
read -r question answer1 answer2 < <(python3 - "$program/DVQ3.MDB" "$language" <<'PY'
import sqlite3, sys
row = sqlite3.connect(sys.argv[1]).execute(
    f'SELECT QuestionAudio, ChoiceAudio1, ChoiceAudio2 FROM "{sys.argv[2]}" WHERE ID = 1').fetchone()
print(" ".join(name.strip() + ".wav" for name in row))
PY
)

# The sound server: its own runtime folder, socket and settings, no system configuration; one
# null sink in the prompts' own format, without rewinds so its monitor hears every sample once.
pulse=$work/pulse
mkdir -m 700 "$pulse"
printf 'autospawn = no\n' >"$pulse/client.conf"
export PULSE_CLIENTCONFIG=$pulse/client.conf
pulse_pid=""
parec_pid=""
cleanup() {
    set +e
    [ -n "${xvfb:-}" ] && kill -- -"$xvfb" 2>/dev/null && wait "$xvfb"
    [ -n "$parec_pid" ] && kill "$parec_pid" && wait "$parec_pid"
    [ -n "$pulse_pid" ] && kill "$pulse_pid" && wait "$pulse_pid"
    rm -rf "$work"
}
trap cleanup EXIT
HOME=$pulse XDG_RUNTIME_DIR=$pulse PULSE_RUNTIME_PATH=$pulse/run \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --log-target=file:"$pulse/log" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$pulse/native" \
    -L "module-null-sink sink_name=dvq3 rate=22050 channels=1 format=s16le norewinds=1" &
pulse_pid=$!
export PULSE_SERVER=unix:$pulse/native
for _ in $(seq 1 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null || { cat "$pulse/log"; fail "the private sound server did not start"; }
parec -d dvq3.monitor --rate=22050 --channels=1 --format=s16le --raw --latency-msec=20 \
    >"$work/heard.raw" &
parec_pid=$!

# Inside Xvfb: a new client's test on screen in the language; with a sound server, each key
# waits for the prompt it starts to end; without one, the first answer's help line is shot.
: >"$work/messages.txt"
cat >"$work/inside.sh" <<INSIDE
set -euo pipefail
. "$here/station_keys.sh"
station_env "$work"
silent=\$1
# prompt KEYS...: sends the keys and waits until the prompt they start has played.
prompt() {
    if [ "\$silent" = yes ]; then keys "\$@"; return; fi
    local mark
    mark=\$($check mark "$work/heard.raw")
    xdotool key --delay 60 "\$@"
    $check wait end "$work/heard.raw" "\$mark"
}
start_station "$program"
focus Corvalent-III
keys Tab Return                       # "Add New Client"
focus "Entry Method"
keys Return                           # on screen
focus "Client Information"
typed "Ana Sound"; keys Return
typed 35; keys Return
typed 2; keys Return                  # female
typed 01/02/1990; keys Return
typed 4; keys Return
typed 3; keys Return
typed 1; keys Return
keys shift+Tab
typed n; keys Return                  # licence not available
keys Return
focus "Court History"
typed 0; keys Return
typed 0; keys Return
typed n; keys Return
keys Return
focus "Select Presentation Language"
# The presentation opens with the general instructions playing; a key would cut them short.
[ "\$silent" = yes ] || mark=\$($check mark "$work/heard.raw")
if [ "$language" = Spanish ]; then keys Down Return; else keys Return; fi
focus "$title"
[ "\$silent" = yes ] || $check wait end "$work/heard.raw" "\$mark"
prompt Return                         # section 1's instructions
prompt Return                         # item 1's question
prompt Down                           # its first answer
import -window root "$artifacts/sound-$language-\$silent-answer.png"
if [ "\$silent" = no ]; then
    prompt Down                       # the second answer
    prompt Up Down                    # the first, cut short by the second
fi
stop_station
INSIDE
run_inside() {
    setsid xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/inside.sh" "$1" &
    xvfb=$!
    wait "$xvfb" || fail "the station could not be driven through its test ($1 silent)"
    xvfb=""
}

run_inside no
$check check "$work/heard.raw" "$folder" Inst0.wav Inst1.wav "$question" "$answer1" "$answer2" \
    "CUT:$answer1:$answer2" || fail "the prompts were not heard as played"
# messages: what the station showed beyond the note that opens the test.
messages() { grep -v '^On Screen Presentation|' "$work/messages.txt" || true; }
[ -z "$(messages)" ] || fail "the station showed messages: $(messages)"
echo "$language: the prompts played whole and in order; a new answer stopped the last prompt"
[ "$language" = English ] || exit 0

# No sound server: the same test in silence, with the help line of a station without sound.
kill "$parec_pid" "$pulse_pid"
wait "$parec_pid" "$pulse_pid" || true
parec_pid=""
pulse_pid=""
rm -f "$work/state.txt"
run_inside yes
[ -z "$(messages)" ] || fail "the silent station showed messages: $(messages)"
# The help line, the window's bottom 48 pixels: its text ends far sooner than the line that
# invites the client to hear the question again.
python3 - "$artifacts"/sound-English-{no,yes}-answer.png <<'PY'
import subprocess, sys
def text_width(png):
    pgm = subprocess.run(["convert", png, "-crop", "1280x48+0+752", "-depth", "8", "pgm:-"],
                         capture_output=True, check=True).stdout
    head, pos = [], 0
    while len(head) < 4:
        while pgm[pos:pos + 1].isspace(): pos += 1
        end = pos
        while not pgm[end:end + 1].isspace(): end += 1
        head.append(pgm[pos:end]); pos = end
    width, height = int(head[1]), int(head[2])
    pixels = pgm[pos + 1:]
    ground = max(set(pixels), key=pixels.count)
    columns = [x for x in range(width) if any(abs(pixels[y * width + x] - ground) > 96 for y in range(height))]
    return columns[-1] - columns[0] if columns else 0
sound, silent = text_width(sys.argv[1]), text_width(sys.argv[2])
print(f"help line: {sound} px with sound, {silent} px without")
sys.exit(0 if 0 < silent < 0.6 * sound else "the help line does not change without sound")
PY
echo "English without a sound server: the test in silence, the silent help line, no message"
