#!/usr/bin/env bash
# Builds the property library's fuzz targets with clang and runs each.
#   fuzz/run-props.sh [SECONDS-EACH]   (default 120)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${TUBALON_FUZZ_DIR:-build-props-fuzz}
seconds=${1:-120}
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTUBALON_FUZZ=ON \
  -DTUBALON_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" --target props_cell_fuzz props_lib_fuzz -j 2
export ASAN_OPTIONS=detect_leaks=0
export QT_QPA_PLATFORM=offscreen

cells=$dir/props-cell-corpus
mkdir -p "$cells"
i=0
while IFS= read -r seed; do
    i=$((i + 1))
    printf '%b' "$seed" >"$cells/seed-$i"
done <<'SEEDS'
Cp\n水\n20\n100\n4180
MD\n水\n25\n100\n0,1000;50,988;100,958;
MD\n液氨\n20\n101.325\nPRD:22064,647.1,56,0.229,0.345,18.015
MD\n空气\n20\n100\nVRV:4599,190.6,99,0.286,0.011,16.04
VI\n空气\n-300\n0\nPRV:4599,190.6,99,0.286,0.011,16.04
TC\n空气\n1E30\n1E-30\nPRU:1,1,1,1,1,1
Cp\n空气\n20\n100\n(28.11+0.1967E-2*T)/M*1000+PRRCP PARAMS:3770,132.5,88.3,0.302,0.035,28.97
Cp\nx\n20\n100\nVRRCP PARAMS:3770,132.5,88.3,0.302,0.035,28.97
HV\nx\n20\n100\n1E6*((1-Tr)/(1-300/Tc))^0.38 PARAMS:8097,512.64
ST\nx\n20\n100\nCp=0.5 ? note < x { y
Cp\nx\n\n\nPr*Vr*Zr*w*B PARAMS:1,2,3,4,5,6,7
SEEDS
"$dir/out/props_cell_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -max_len=1024 -print_final_stats=1 "$cells"

libs=$dir/props-lib-corpus
mkdir -p "$libs"
cp data/PropLib.cds "$libs/shipped.cds"
"$dir/out/props_lib_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
  -max_len=65536 -print_final_stats=1 "$libs"
