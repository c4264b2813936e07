#!/usr/bin/env bash
# Builds the case-file reader's fuzz target with clang and runs it.
#   fuzz/run-docs.sh [SECONDS]   (default 180)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-docs-fuzz
seconds=${1:-180}
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTUBALON_FUZZ=ON \
  -DTUBALON_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --target docs_fuzz -j 2
corpus=$dir/docs-corpus
mkdir -p "$corpus"
# Seeds: the shipped cases and templates, and a few small hand-made records.
cp examples/*.cdp data/*.dpt "$corpus"/ 2>/dev/null || true
printf 'WrD\r\nFloat\r\nExchange\r\n0.27778\r\n\r\nWrD\r\nString\r\nText\r\n1.5\r\n\r\n' >"$corpus/seed-field"
printf 'CmtsD\r\nRich\r\nLines\r\n\xa1\xf7abc\xa1\xf8\xa1\xf7xyz\r\n\r\n' >"$corpus/seed-note"
printf 'CheckList1\r\nCheckListBox\r\nItems\r\na\xa1\xf81\xa1\xf8b\xa1\xf80\r\n\r\n' >"$corpus/seed-list"
printf 'FlowType\r\nOrd\r\nItemIndex\r\n1\r\n\r\nCBAuto\r\nEnum\r\nChecked\r\nFalse\r\n\r\n' >"$corpus/seed-click"
export ASAN_OPTIONS=detect_leaks=0
"$dir/docs_fuzz" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=10 \
  -max_len=65536 -print_final_stats=1 "$corpus"
