#!/usr/bin/env bash
# Builds the Debian package from the build tree, has lintian check it, unpacks it into a scratch
# root and starts the station from there as a normal user with a private home under Xvfb: it must
# reach its main menu on the user's copy of the sample disk, with its settings in the user's own
# configuration folder. Everything is made in a folder of its own, removed at the end.
# usage: package_check.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.txt" 2>&1 ||
    { cat "$work/cpack.txt"; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb=$work/package/dvq3-station_${version}_amd64.deb

. "$(dirname "$0")/check.sh"
check "package file name" test -s "$deb"
[ -s "$deb" ] || exit 1

# Errors fail the check; warnings and notes are shown only.
set +e
lintian --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1
set -e
cat "$work/lintian.txt"
check "lintian reports no errors" bash -c "! grep -q '^E: ' '$work/lintian.txt'"

dpkg-deb -f "$deb" Depends >"$work/depends.txt"
check "dependencies found by dpkg-shlibdeps" grep -q "libqt6widgets6" "$work/depends.txt"
check "recommends the helper programs" \
    test "$(dpkg-deb -f "$deb" Recommends)" = "espeak-ng, sane-utils, cups-client"

root=$work/root
dpkg -x "$deb" "$root"
check "station on the PATH" test -x "$root/usr/bin/dvq3test"
check "program folder" test -s "$root/usr/lib/dvq3/DVQ3.MDB"
check "settings name the installed sample disk" \
    grep -q "FilePath=/usr/lib/dvq3/SampleDisk" "$root/usr/lib/dvq3/dvq3test.ini"
check "desktop entry" grep -qx "Exec=/usr/lib/dvq3/dvq3test" \
    "$root/usr/share/applications/dvq3test.desktop"
check "icon" test -s "$root/usr/share/icons/hicolor/scalable/apps/dvq3test.svg"
for page in dvq3test dvq3tool; do
    check "manual page $page" gzip -t "$root/usr/share/man/man1/$page.1.gz"
done
check "copyright" test -s "$root/usr/share/doc/dvq3-station/copyright"
check "tool version" test "$("$root/usr/bin/dvq3tool" --version)" = "dvq3tool $version"

# The scratch root stands in for /: the settings written for /usr/lib/dvq3 are pointed at the
# scratch copy of the program folder, as installing there would have written them. The station
# then seeds the user's settings and sample disk from them on first use, as installed.
sed -i "s|=/usr/lib/dvq3/|=$root/usr/lib/dvq3/|" "$root/usr/lib/dvq3/dvq3test.ini"
home=$work/home
mkdir -m 700 "$home"
chown nobody "$home"
cat >"$work/inside.sh" <<INSIDE
DVQ3_E2E_STATE="$home/state.txt" DVQ3_E2E_QUIT=1 DVQ3_E2E_MESSAGES_FD=3 \
    "$root/usr/bin/dvq3test" /NOWAIT 3>"$home/messages.txt"
INSIDE
chmod -R a+rX,go-w "$work/inside.sh" "$root"
check "the station ends well" runuser -u nobody -- env -i HOME="$home" XDG_RUNTIME_DIR="$home" \
    PATH=/usr/bin:/bin xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/inside.sh"

check "no message boxes" test ! -s "$home/messages.txt"
check "main menu reached" grep -qx "item=1-Harlan Petrosky          " "$home/state.txt"
check "user copy of the sample disk" test -s "$home/.local/share/dvq3/SampleDisk/DATA401.DVQ"
check "settings in the user's folder" grep -q "FilePath=$home/.local/share/dvq3/SampleDisk" \
    "$home/.config/dvq3/dvq3test.ini"
cat "$home/messages.txt" 2>/dev/null || true
exit $fail
