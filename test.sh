#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through CTest.
#   ./test.sh             plain build in build/
#   ./test.sh --sanitize  AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")"
. ./tools.sh
tubalon_install
dir=build
args=()
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    args=(-DTUBALON_SANITIZE=ON -DTUBALON_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
    export ASAN_OPTIONS=detect_leaks=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
tubalon_build "$dir" "${args[@]}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
