#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite: first the logic
# libraries and their tests under AddressSanitizer and UndefinedBehaviorSanitizer (built with
# clang, with the libFuzzer targets of the parsers, each run for a bounded time), then every test
# of the normal build. ctest's summary of the normal build is the last word.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

bash scripts/build.sh build-asan -DCMAKE_CXX_COMPILER=clang++ -DDVQ3_SANITIZE=ON \
    -DDVQ3_LOGIC_ONLY=ON -DDVQ3_BENCHMARKS=OFF -DDVQ3_FUZZ=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"
