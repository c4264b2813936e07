#!/usr/bin/env bash
# Rating: the water-water exchanger of water-water.sh built with 4 passes of 6 m. Is it large
# enough, and what are its pressure drops?
# Results: the duty needs AcD 1.813 m2; 4 passes of 6 m give LaD 24 m, ArD 2.413 m2 and a margin
# CsD of 33.1 %; the longer pipe loses more heat (QLD 254.1 W, so WtD 0.99696 kg/s) and raises
# the pressure drops to DpsD 21.3 kPa and DptD 50.7 kPa.
# Hand check: installed area pi x 0.032 x 24 = 2.4127 m2; the duty needs 1.8132 m2, that is
# 2.4127/1.8132 - 1 = 33.1 % more; heat lost 1.1823 x pi x 0.057 x 24 x 50 = 254.1 W; inside,
# Colebrook over 24 m and 3 U-bends gives 50.7 kPa.
# expect: AcD=1.8132 QLD=254.061 LaD=24 ArD=2.41274 CsD=33.0658 mD=4 DptD=50662.1
tool=${1:-build/stage/bin/tubalon-calc}
shift || true
exec "$tool" --set CBAuto=0 --set CalTypeD=1 \
  --set WrD=1 --set CprD=4180 --set Tr1D=80 --set Tr2D=60 \
  --set DenrD=977.8 --set MrD=0.000404 --set LdrD=0.668 \
  --set CptD=4180 --set Tt1D=20 --set Tt2D=40 \
  --set DentD=995.7 --set MtD=0.000801 --set LdtD=0.618 \
  --set dooD=0.057 --set doiD=0.05 --set dioD=0.032 --set diiD=0.026 \
  --set SlD=6 --set mD=4 --set BpD=0.05 --set TaD=20 --set RsD=0.0002 --set RtD=0.0002 \
  --set ErD=0.0001 --set EtD=0.0001 "$@"
