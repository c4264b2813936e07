#!/usr/bin/env bash
# Hot water cools from 80 to 60 °C in the annulus while 1 kg/s of cold water warms from
# 20 to 40 °C in the inner pipe; the cold flow is left empty and solved from the balance.
# Check: Q = 1 kg/s x 4180 J/(kg.K) x 20 K = 83.6 kW on both sides; counter-current with equal
# end differences gives a mean temperature difference of 40 K.
tool=${1:-build/stage/bin/tubalon-calc}
shift || true
exec "$tool" --set CBAuto=0 \
  --set WrD=1 --set CprD=4180 --set Tr1D=80 --set Tr2D=60 \
  --set DenrD=977.8 --set MrD=0.000404 --set LdrD=0.668 \
  --set CptD=4180 --set Tt1D=20 --set Tt2D=40 \
  --set DentD=995.7 --set MtD=0.000801 --set LdtD=0.618 \
  --set dooD=0.057 --set doiD=0.05 --set dioD=0.032 --set diiD=0.026 \
  --set SlD=6 --set BpD=0.05 --set TaD=20 --set RsD=0.0002 --set RtD=0.0002 \
  --set ErD=0.0001 --set EtD=0.0001 "$@"
