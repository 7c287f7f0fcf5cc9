#!/usr/bin/env bash
# Installs the Debian packages the station needs to build, run and test. Run as root; fast when
# everything is already installed.
set -euo pipefail

packages=(
    build-essential cmake ninja-build clang libclang-rt-14-dev clang-format
    qt6-base-dev libqt6sql6-sqlite qt6-multimedia-dev libgl-dev
    libsane-dev libsane1 sane-utils
    fonts-liberation xvfb xauth x11-apps x11-utils imagemagick poppler-utils strace xdotool python3
    espeak-ng
    # Building and checking the Debian package.
    dpkg-dev fakeroot file lintian
    # Printing through CUPS; the print and sound tests start their own scheduler and sound
    # server. The prompts need no GStreamer or FFmpeg plugin: Qt 6.4's sound effects play
    # through libpulse, which Qt Multimedia depends on.
    cups-daemon cups-client libcups2-dev pulseaudio pulseaudio-utils
    libgtest-dev libgmock-dev googletest libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${packages[@]}"
