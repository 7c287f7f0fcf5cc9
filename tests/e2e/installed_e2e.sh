#!/usr/bin/env bash
# Installs the station under a prefix a normal user cannot write, starts it as such a user, and
# checks that it reaches its main menu on the user's own copy of the sample data disk, with its
# settings in the user's configuration folder and nothing written into the program folder. The
# user's copy of the client data is the user's alone; the tool run without a home folder names
# the report file it could not write.
# usage: installed_e2e.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
home=$work/home
cmake --install "$build" --prefix "$prefix" >/dev/null
chmod -R a+rX,go-w "$work"
mkdir -m 700 "$home"
chown nobody "$home"
before=$(cd "$prefix" && find . -type f -exec sha256sum {} + | sort)

runuser -u nobody -- env -i HOME="$home" XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen \
    DVQ3_E2E_STATE="$home/state.txt" DVQ3_E2E_QUIT=1 DVQ3_E2E_MESSAGES_FD=3 \
    "$prefix/bin/dvq3test" /NOWAIT 3>"$work/messages.txt"

set +e
runuser -u nobody -- env -i QT_QPA_PLATFORM=offscreen "$prefix/bin/dvq3tool" report 1 \
    >/dev/null 2>"$work/nohome.txt"
nohome=$?
set -e

. "$(dirname "$0")/check.sh"
check "no message boxes" test ! -s "$work/messages.txt"
check "main menu reached" grep -qx "item=1-Harlan Petrosky          " "$home/state.txt"
check "user settings" grep -q "FilePath=$home/.local/share/dvq3/SampleDisk" \
    "$home/.config/dvq3/dvq3test.ini"
check "user copy of the sample disk" test -s "$home/.local/share/dvq3/SampleDisk/DATA401.DVQ"
check "user data folder private" test "$(stat -c %a "$home/.local/share/dvq3")" = 700
check "user client file private" \
    test "$(stat -c %a "$home/.local/share/dvq3/SampleDisk/DATA401.DVQ")" = 600
check "tool without a home fails" test "$nohome" -ne 0
check "tool without a home names the report file" \
    grep -q "/.local/share/dvq3/report.prn could not be written" "$work/nohome.txt"
after=$(cd "$prefix" && find . -type f -exec sha256sum {} + | sort)
check "program folder untouched" test "$before" = "$after"
check "desktop entry" grep -qx "Exec=$prefix/lib/dvq3/dvq3test" \
    "$prefix/share/applications/dvq3test.desktop"
check "icon" test -s "$prefix/share/icons/hicolor/scalable/apps/dvq3test.svg"
cat "$work/messages.txt"
exit $fail
