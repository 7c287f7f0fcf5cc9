#!/usr/bin/env bash
# Installs what is needed, builds the station and runs its main job on the bundled sample disk.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
exec build/program/dvq3tool dump build/program/SampleDisk
