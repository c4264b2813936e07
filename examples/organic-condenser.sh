#!/usr/bin/env bash
# A light hydrocarbon vapour, 0.05 kg/s, condenses completely at 60 °C inside the inner pipe
# (32×3) and is cooled by 0.5 kg/s of water entering the annulus (57×3.5) at 20 °C; the water's
# outlet is solved. The condensate has the properties of Hewitt, Shires & Bott's worked example
# (Process Heat Transfer, p. 589): 582.9 kg/m3, 159e-6 Pa.s, 0.098 W/(m.K), 2520 J/(kg.K), with
# the vapour at 6.36 kg/m3; latent heat 350 kJ/kg.
# Results: ktD 1716.5 W/(m2.K) (Boyko-Kruzhilin), krD 2119.7 (transition), KaD 588.9,
# Tr2D 28.37 C, AdtD 35.65 K, AcD 0.834 m2, LaD 8.3 m in 1.4 passes, UtvD 14.8 m/s.
# Hand check: all flow as liquid, Re_lo = 4W/(pi d mu) = 4 x 0.05/(pi x 0.026 x 159e-6) = 15400,
# Pr = 4.089; h_lo = 0.021 (lambda/d) Re_lo^0.8 Pr^0.43 = 324.7 W/(m2.K); Boyko-Kruzhilin, mean
# of vapour quality 1 and 0: h = h_lo (sqrt(582.9/6.36) + 1)/2 = 1716.5 W/(m2.K). The steam
# formula of the first releases, 1.36 B q^0.5 La^0.35 di^-0.25 with B = 11.8333 - 0.0333 x 60,
# reads no property of the fluid and would give 11 200 W/(m2.K) here.
# Annulus: Re = 4W/(pi mu (Di + do)) = 8531, transition. VDI Heat Atlas G2 at Re 2300 over
# L = 8.3 m (a = 0.64, X = Re Pr dh/L = 31.3): Nu = 7.31, h = 246 W/(m2.K); Dittus-Boelter at
# 10^4 (n = 0.4): h = 2561; blended with (Re - 2300)/(10^4 - 2300) = 0.809: 2119.7 W/(m2.K).
# expect: ktD=1716.49 krD=2119.72 KaD=588.864 LaD=8.3 UtvD=14.8073
tool=${1:-build/stage/bin/tubalon-calc}
shift || true
exec "$tool" --set CBAuto=0 \
  --set WrD=0.5 --set CprD=4180 --set Tr1D=20 \
  --set DenrD=997 --set MrD=0.00091 --set LdrD=0.607 \
  --set PhtD=1 --set WtD=0.05 --set Tt1D=60 --set Tt2D=60 --set DHtD=350000 \
  --set CptD=2520 --set DentD=582.9 --set MtD=0.000159 --set LdtD=0.098 \
  --set dtvD=6.36 --set MtvD=0.000008 \
  --set dooD=0.057 --set doiD=0.05 --set dioD=0.032 --set diiD=0.026 \
  --set SlD=6 --set BpD=0.03 --set TaD=20 --set RsD=0.0002 --set RtD=0.0002 \
  --set ErD=0.0001 --set EtD=0.0001 "$@"
