#!/usr/bin/env bash
# Remakes the shipped case files with the program itself: examples/*.cdp from the example
# scripts, and the templates data/*.dpt (a blank one, and fluid data and settings without
# flows or temperatures).
#   examples/make-cases.sh [TOOL]
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$(realpath "${1:-build/stage/bin/tubalon-calc}")
for script in examples/*.sh; do
    case $script in */make-cases.sh) continue ;; esac
    bash "$script" "$tool" --save "${script%.sh}.cdp" >/dev/null
done
# The blank case: a fresh window, for "新建" without any data.
"$tool" --save data/blank.dpt >/dev/null
# Water heated by hot water in a straight double pipe, pipes chosen automatically.
"$tool" --set CBAuto=1 --set CprD=4180 --set DenrD=977.8 --set MrD=0.000404 --set LdrD=0.668 \
  --set CptD=4180 --set DentD=995.7 --set MtD=0.000801 --set LdtD=0.618 --set SlD=6 \
  --set BpD=0.05 --set TaD=20 --set RsD=0.0002 --set RtD=0.0002 --set ErD=0.0001 \
  --set EtD=0.0001 --save data/water-water-straight.dpt >/dev/null
# Water heated by saturated steam at 4 bar condensing in the annulus.
"$tool" --set CBAuto=1 --set RsD=0.0001 --set RtD=0.0002 --set PhrD=1 --set Tr1D=143.6 \
  --set Tr2D=143.6 --set DHrD=2133000 --set DenrD=923 --set MrD=0.000191 --set LdrD=0.685 \
  --set DrvD=2.16 --set MrvD=0.0000142 --set CptD=4180 --set DentD=992 --set MtD=0.00065 \
  --set LdtD=0.63 --set SlD=6 --set BpD=0.05 --set TaD=20 --set ErD=0.0001 --set EtD=0.0001 \
  --save data/steam-heater-straight.dpt >/dev/null
