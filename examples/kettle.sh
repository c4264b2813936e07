#!/usr/bin/env bash
# A standing jacketed kettle of 800 mm inside (816 mm outside, jacket 900 mm inside): steam at
# 143.6 °C condenses in the jacket and warms 5 kg/s of water circulating through it from 20
# to 22 °C. The program finds the jacketed height and writes it into the kettle height.
# Results: steam 0.0196 kg/s (solved), krD 14407 W/(m2.K) on the standing jacket wall, ktD 50.7
# (the kettle side as a flow through the 0.8 m section), KaD 48.5, AdtD 122.60 K, AcD 7.035 m2,
# and a jacketed height of 2.75 m written into the kettle height.
# Hand check: Q = 5 x 4180 x 2 = 41.8 kW; LMTD (123.6 - 121.6)/ln(123.6/121.6) = 122.60 K;
# kettle side Re = 4W/(pi mu D) = 8377, Dittus-Boelter h = 50.7 W/(m2.K), which governs K;
# A = 41800/(48.46 x 122.6) = 7.035 m2, height = A/(pi do) = 2.744 m, rounded up to 2.75 m.
# expect: ktD=50.7310 KaD=48.4641 AdtD=122.597 AcD=7.03518 SlD=2.75 LaD=2.75 mD=1
tool=${1:-build/stage/bin/tubalon-calc}
shift || true
exec "$tool" --set ShapeD=2 --set CBAuto=0 --set LayType=0 --set PhrD=1 --set RsD=0.0001 --set RtD=0.0002 \
  --set Tr1D=143.6 --set Tr2D=143.6 --set DHrD=2133000 \
  --set DenrD=923 --set MrD=0.000191 --set LdrD=0.685 --set DrvD=2.16 --set MrvD=0.0000142 \
  --set WtD=5 --set CptD=4180 --set Tt1D=20 --set Tt2D=22 \
  --set DentD=997 --set MtD=0.00095 --set LdtD=0.604 \
  --set dooD=0.912 --set doiD=0.9 --set dioD=0.816 --set diiD=0.8 \
  --set SlD=1 --set BpD=0.05 --set TaD=20 \
  --set ErD=0.0001 --set EtD=0.0001 "$@"
