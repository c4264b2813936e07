#!/usr/bin/python3
"""Writes data/PropLib.cds, the property library shipped with the program.

Water and saturated steam come from IAPWS-IF97 (Debian package python3-iapws); the other
figures are typed in below from the references named in each record's note. Run from the
source tree:  /usr/bin/python3 data/make_proplib.py
"""
import json
import math
import os
import sys

from iapws import IAPWS95, IAPWS97

FIELDS = [("NO", 6, "流水号"), ("CN", 20, "中文名"), ("EN", 20, "英文名"),
          ("CP", 300, "比热"), ("MD", 300, "密度"), ("VI", 300, "黏度"),
          ("TC", 300, "导热系数"), ("ST", 300, "表面张力"), ("HV", 300, "蒸发潜热"),
          ("NT", 100, "注释")]
# Where the data hold: temperature range (degC), pressure range (kPa), phase, saturation line.
VALIDITY = [("TR", 30, "适用温度"), ("PR", 30, "适用压力"), ("PH", 4, "相态"),
            ("VP", 300, "饱和压力")]
CELLS = ["CP", "MD", "VI", "TC", "ST", "HV"]


def num(v, digits=5):
    s = "%.*G" % (digits, v)
    return s.replace("E+0", "E").replace("E-0", "E-").replace("E+", "E")


def table(points, digits=5):
    return ";".join("%s,%s" % (num(t, 6), num(v, digits)) for t, v in points)


def k_to_c(points, scale=1.0):
    return [(round(k - 273.15, 2), v * scale) for k, v in points]


def parse_table(text):
    pts = []
    for piece in text.split(";"):
        if piece.strip():
            x, y = piece.split(",", 1)
            pts.append((float(x), float(y)))
    return pts


def interpolate(points, x, andrade=False):
    """The program's table interpolation: the Lagrange polynomial through the window of up
    to four points around x; in Andrade form through (1/T, ln y)."""
    n = len(points)
    if n <= 4:
        win = points
    else:
        i = next((k for k, (xk, _) in enumerate(points) if xk >= x), None)
        if i is None:
            lo = n - 4
        else:
            lo = i - 2
            if lo < 0:
                lo = 0
            elif i + 1 > n - 1:
                lo = n - 4
        win = points[lo:lo + 4]
    X = (lambda t: 1.0 / (t + 273.15)) if andrade else (lambda t: t)
    Y = math.log if andrade else (lambda y: y)
    s = 0.0
    for k, (xk, yk) in enumerate(win):
        term = Y(yk)
        for j, (xj, _) in enumerate(win):
            if j != k:
                term *= (X(x) - X(xj)) / (X(xk) - X(xj))
        s += term
    return math.exp(s) if andrade else s


def leave_one_out(points, andrade):
    """Largest relative miss at an interior node when the table is interpolated without it:
    a bound on the deviation between the nodes of the full table."""
    worst = 0.0
    for k in range(1, len(points) - 1):
        rest = points[:k] + points[k + 1:]
        x, y = points[k]
        worst = max(worst, abs(interpolate(rest, x, andrade) / y - 1))
    return worst


def between_nodes(rec, reference):
    """Largest relative deviation of the record's tables from reference(field, t) at the
    midpoints between its nodes; also the midpoints with their reference values."""
    worst, cases = 0.0, []
    for f in CELLS:
        cell = rec.get(f)
        if not cell or ";" not in cell:
            continue
        pts = parse_table(cell)
        for (a, _), (b, _) in zip(pts, pts[1:]):
            t = round((a + b) / 2, 3)
            ref = reference(f, t)
            if ref is None:
                continue
            dev = abs(interpolate(pts, t, f == "VI") / ref - 1)
            worst = max(worst, dev)
            cases.append((f, t, ref, dev))
    return worst, cases


def loo_deviation(rec):
    worst = 0.0
    for f in CELLS:
        cell = rec.get(f)
        if cell and ";" in cell and len(parse_table(cell)) >= 3:
            worst = max(worst, leave_one_out(parse_table(cell), f == "VI"))
    return worst


def pct(dev):
    """The deviation as the note states it: rounded up, at least 0.1 %."""
    v = max(dev * 100, 0.1)
    digits = 1 if v < 10 else 0
    return ("%%.%df" % digits) % (math.ceil(v * 10 ** digits) / 10 ** digits)


# ---- water and steam, IAPWS-IF97 on the saturation line ----
def water():
    ts = [0.01, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 120, 140, 160, 180, 200]
    liq = [(t, IAPWS97(T=t + 273.15, x=0)) for t in ts]
    vap = {t: IAPWS97(T=t + 273.15, x=1) for t in ts}
    pts = lambda f: [(0 if t == 0.01 else t, f(w, t)) for t, w in liq]
    return {
        "CN": "水", "EN": "Water",
        "CP": table(pts(lambda w, t: w.cp * 1000)),
        "MD": table(pts(lambda w, t: w.rho)),
        "VI": table(pts(lambda w, t: w.mu)),
        "TC": table(pts(lambda w, t: w.k)),
        # IAPWS release on the surface tension of ordinary water (1994).
        "ST": "0.2358*(1-T/647.096)^1.256*(1-0.625*(1-T/647.096))",
        "HV": table(pts(lambda w, t: (vap[t].h - w.h) * 1000)),
        "NT": "饱和液，IAPWS-IF97(python3-iapws)；表面张力IAPWS 1994式",
        "TR": "0~200", "PH": "液相", "VP": "IAPWS-IF97",
    }


def saturated(x):
    """Reference values of saturated water (x=0) or steam (x=1) by IAPWS-IF97."""
    def ref(field, t):
        w = IAPWS97(T=t + 273.15, x=x)
        other = IAPWS97(T=t + 273.15, x=1 - x)
        return {"CP": w.cp * 1000, "MD": w.rho, "VI": w.mu, "TC": w.k,
                "HV": abs(other.h - w.h) * 1000}.get(field)
    return ref


def steam():
    ts = [100, 110, 120, 130, 140, 150, 160, 170, 180, 190, 200, 220, 240, 260, 280, 300]
    vap = [(t, IAPWS97(T=t + 273.15, x=1), IAPWS97(T=t + 273.15, x=0)) for t in ts]
    pts = lambda f: [(t, f(v, l)) for t, v, l in vap]
    return {
        "CN": "饱和水蒸气", "EN": "Saturated steam",
        "CP": table(pts(lambda v, l: v.cp * 1000)),
        "MD": table(pts(lambda v, l: v.rho)),
        "VI": table(pts(lambda v, l: v.mu)),
        "TC": table(pts(lambda v, l: v.k)),
        "HV": table(pts(lambda v, l: (v.h - l.h) * 1000)),
        "NT": "饱和汽，IAPWS-IF97(python3-iapws)；压力取饱和压力",
        "TR": "100~300", "PR": "100~8600", "PH": "气相", "VP": "IAPWS-IF97",
    }


# ---- gases ----
# Critical constants Pc kPa, Tc K, Vc cm3/mol, Zc, omega, M g/mol: Poling, Prausnitz and
# O'Connell, The Properties of Gases and Liquids, 5th ed., Appendix A (air: Cengel & Boles
# Table A-1). Ideal-gas cp = a + bT + cT^2 + dT^3 kJ/(kmol K): Cengel & Boles Table A-2c.
# Viscosity and conductivity at 1 atm: Incropera & DeWitt Table A.4 (K, 1e-7 Pa s, 1e-3 W/(m K));
# methane, ethane, propane and argon: NIST Chemistry WebBook at 1 bar.
GASES = [
    dict(CN="空气", EN="Air", crit="3770,132.5,88.3,0.302,0.035,28.97",
         cp=(28.11, 0.1967e-2, 0.4802e-5, -1.966e-9), md="PRD",
         mu=[(250, 159.6), (300, 184.6), (350, 208.2), (400, 230.1), (450, 250.7),
             (500, 270.1), (600, 305.8)],
         k=[(250, 22.3), (300, 26.3), (350, 30.0), (400, 33.8), (450, 37.3), (500, 40.7),
            (600, 46.9)],
         src="Incropera表A.4", rng=(-20, 300)),
    dict(CN="氮气", EN="Nitrogen", crit="3398,126.2,90.1,0.289,0.037,28.014",
         cp=(28.90, -0.1571e-2, 0.8081e-5, -2.873e-9), md="VRV",
         mu=[(250, 154.9), (300, 178.2), (350, 200.0), (400, 220.4), (450, 239.6),
             (500, 257.7), (600, 290.8)],
         k=[(250, 22.2), (300, 25.9), (350, 29.3), (400, 32.7), (450, 35.8), (500, 38.9),
            (600, 44.6)],
         src="Incropera表A.4", rng=(-20, 300)),
    dict(CN="氧气", EN="Oxygen", crit="5043,154.58,73.37,0.288,0.022,31.999",
         cp=(25.48, 1.520e-2, -0.7155e-5, 1.312e-9), md="PRD",
         mu=[(250, 179.2), (300, 207.2), (350, 233.5), (400, 258.2), (450, 281.4),
             (500, 303.3), (600, 343.7)],
         k=[(250, 22.6), (300, 26.8), (350, 29.6), (400, 33.0), (450, 36.3), (500, 41.2),
            (600, 47.3)],
         src="Incropera表A.4", rng=(-20, 300)),
    dict(CN="二氧化碳", EN="Carbon dioxide", crit="7374,304.12,94.07,0.274,0.225,44.01",
         cp=(22.26, 5.981e-2, -3.501e-5, 7.469e-9), md="PRD",
         mu=[(300, 149.0), (350, 172.0), (400, 193.0), (450, 214.0), (500, 233.0),
             (550, 251.0), (600, 270.0)],
         k=[(300, 16.55), (350, 20.4), (400, 24.3), (450, 28.0), (500, 32.5), (550, 36.6),
            (600, 40.7)],
         src="Incropera表A.4", rng=(30, 300)),
    dict(CN="氢气", EN="Hydrogen", crit="1313,33.19,64.15,0.305,-0.216,2.016",
         cp=(29.11, -0.1916e-2, 0.4003e-5, -0.8704e-9), md="PRD",
         mu=[(250, 78.9), (300, 89.6), (350, 98.8), (400, 108.2), (450, 117.2),
             (500, 126.4), (600, 142.4)],
         k=[(250, 156), (300, 183), (350, 204), (400, 226), (450, 250), (500, 266),
            (600, 305)],
         src="Incropera表A.4", rng=(-20, 300)),
    dict(CN="甲烷", EN="Methane", crit="4599,190.56,98.6,0.286,0.011,16.043",
         cp=(19.89, 5.024e-2, 1.269e-5, -11.01e-9), md="PRD",
         mu=[(250, 95.1), (300, 111.9), (350, 128.0), (400, 143.0), (500, 170.7)],
         k=[(250, 27.6), (300, 34.3), (350, 41.3), (400, 49.0), (500, 65.6)],
         src="NIST WebBook", rng=(-20, 200)),
    dict(CN="乙烷", EN="Ethane", crit="4872,305.32,145.5,0.279,0.099,30.07",
         cp=(6.900, 17.27e-2, -6.406e-5, 7.285e-9), md="PRD",
         mu=[(250, 78.5), (300, 93.5), (400, 121.0), (500, 146.0)],
         k=[(250, 16.3), (300, 21.3), (400, 35.6), (500, 52.0)],
         src="NIST WebBook", rng=(0, 200)),
    dict(CN="丙烷", EN="Propane", crit="4248,369.83,200,0.276,0.152,44.097",
         cp=(-4.04, 30.48e-2, -15.72e-5, 31.74e-9), md="PRD",
         mu=[(273.15, 74.5), (300, 81.5), (400, 107.0), (500, 130.0)],
         k=[(273.15, 15.2), (300, 18.2), (400, 30.0), (500, 44.0)],
         src="NIST WebBook", rng=(0, 200)),
    dict(CN="氨气", EN="Ammonia gas", crit="11333,405.4,72.47,0.255,0.256,17.031",
         cp=(27.568, 2.5630e-2, 0.99072e-5, -6.6909e-9), md="PRD",
         mu=[(300, 101.5), (340, 116.5), (380, 131.0), (420, 145.0), (460, 159.0)],
         k=[(300, 24.7), (340, 29.3), (380, 34.0), (420, 40.4), (460, 46.3)],
         src="Incropera表A.4", rng=(30, 180)),
    dict(CN="氩气", EN="Argon", crit="4898,150.86,74.57,0.291,-0.002,39.948",
         cp=None, md="VRV",
         mu=[(250, 195.0), (300, 227.0), (400, 287.0), (500, 340.0)],
         k=[(250, 15.2), (300, 17.8), (400, 22.4), (500, 26.6)],
         src="NIST WebBook", rng=(-20, 200)),
]


def gas(g):
    crit = g["crit"]
    if g["cp"]:
        a, b, c, d = g["cp"]
        cp = "(%s+%s*T+%s*T^2%s*T^3)/M*1000+PRRCP PARAMS:%s" % (
            num(a), num(b), num(c), ("+" if d >= 0 else "") + num(d), crit)
        cpsrc = "cp理想气体式Cengel表A-2c+PR剩余比热"
    else:
        # Monatomic ideal gas 5/2 R plus the virial residual part.
        cp = "20.786/M*1000+VRRCP PARAMS:%s" % crit
        cpsrc = "cp=5R/2+维里剩余比热"
    return {
        "CN": g["CN"], "EN": g["EN"], "CP": cp, "MD": "%s:%s" % (g["md"], crit),
        "VI": table(k_to_c(g["mu"], 1e-7), 4), "TC": table(k_to_c(g["k"], 1e-3), 4),
        "NT": "临界参数Poling附录A；%s；黏度导热%s" % (cpsrc, g["src"]),
        # The viscosity and conductivity tables hold at low pressure (1 atm); up to 1 MPa
        # the dilute-gas values change by a few per cent at most for these gases.
        "TR": "%d~%d" % g["rng"], "PR": "0~1000", "PH": "气相",
    }


# ---- liquids ----
def watson(hvb, tb, crit):
    """Watson's relation from the heat of vaporization hvb (J/kg) at the boiling point tb (K)."""
    return "%s*((1-Tr)/(1-%s/Tc))^0.38 PARAMS:%s" % (num(hvb, 5), num(tb, 6), crit)


def liquid(cn, en, cp, md, vi, tc, st, hv, note):
    """note ends with the range of the data, "适用t1~t2℃"; it goes to TR."""
    text, rng = note.rsplit("适用", 1)
    return {"CN": cn, "EN": en, "CP": table(cp), "MD": table(md), "VI": table(vi),
            "TC": table(tc), "ST": table(st) if isinstance(st, list) else st, "HV": hv,
            "NT": text.rstrip("。；"), "TR": rng.rstrip("℃"), "PH": "液相"}


# ---- 20 wt% sodium chloride brine ----
# Laliberte's models of aqueous electrolyte solutions, coefficients for NaCl as tabulated
# in Laliberte, J. Chem. Eng. Data 54 (2009) 1725 (density: Laliberte & Cooper 2004, valid
# 0-140 C; viscosity: Laliberte 2007, 5-154 C; heat capacity: Laliberte 2009, 1.5-120 C).
# Conductivity: Riedel's additive ionic contributions at 20 C, lambda = lambda_w + sum of
# sigma_i c_i with sigma(Na+) = 0 and sigma(Cl-) = -5.52e-3 W/(m K) per mol/L, scaled with
# the water's conductivity at other temperatures (Reid, Prausnitz & Poling, The Properties
# of Gases and Liquids, 4th ed., section 10-12). Water itself by IAPWS (IAPWS-95 below 0 C).
NACL_W = 0.20
NACL_M = 58.44
NACL_DENSITY = (-0.00324112223655149, 0.0636354335906616, 1.01371399467365,
                0.0145951015210159, 3317.34854426537)
NACL_VISCOSITY = (16.221788633396, 1.32293086770011, 1.48485985010431, 0.00746912559657377,
                  30.7802007540575, 2.05826852322558)
NACL_CP = (-0.0693559668993322, -0.0782134167486952, 3.84798479408635, -11.2762109247072,
           8.73187698542672, 1.81245930472755)


def water_at(t):
    if t >= 0.01:
        return IAPWS97(T=t + 273.15, P=0.101325)
    return IAPWS95(T=t + 273.15, P=0.101325)


def nacl(field, t):
    ww, ws = 1 - NACL_W, NACL_W
    w = water_at(t)
    if field == "MD":
        c0, c1, c2, c3, c4 = NACL_DENSITY
        app = (c0 * ws + c1) * math.exp(1e-6 * (t + c4) ** 2) / (ws + c2 + c3 * t)
        return 1 / (ww / w.rho + ws / app)
    if field == "VI":
        v1, v2, v3, v4, v5, v6 = NACL_VISCOSITY
        mu_w = (t + 246) / ((0.05594 * t + 5.2842) * t + 137.37)  # mPa s, Laliberte 2007
        mu_s = math.exp((v1 * ws ** v2 + v3) / (v4 * t + 1)) / (v5 * ws ** v6 + 1)
        return math.exp(ww * math.log(mu_w) + ws * math.log(mu_s)) * 1e-3
    if field == "CP":
        a1, a2, a3, a4, a5, a6 = NACL_CP
        alpha = a2 * t + a3 * math.exp(0.01 * t) + a4 * ws
        cp_s = a1 * math.exp(alpha) + a5 * ws ** a6
        return (ww * w.cp + ws * cp_s) * 1000
    if field == "TC":
        w20 = water_at(20.0)
        c = NACL_W * nacl("MD", 20.0) / NACL_M  # mol/L
        return (w20.k - 5.52e-3 * c) * w.k / w20.k
    return None


# ---- ethylene glycol-water by mass fraction ----
# Melinder, Properties of Secondary Working Fluids for Indirect Systems, IIR 2010: each
# property is sum c[i][j] (t - tm)^i (w - wm)^j with t in degC, w the mass fraction,
# tm = 31.728 degC, wm = 0.308462; the viscosity's sum is ln(mu / mPa s) / 1000. Valid for
# w 0-0.6 from the freezing point to 100 degC. Coefficients as tabulated for "MEG" in the
# CoolProp incompressible-fluid data (Bell et al., Ind. Eng. Chem. Res. 53 (2014) 2498).
MEG_TM, MEG_WM = 31.728, 0.308462
MEG = {
    "MD": [[1.034e3, 1.311e2, 7.490e-1, -1.062e2, -9.623e1, 4.891e2],
           [-4.781e-1, -6.876e-1, 7.855e-1, 1.229, -7.211],
           [-2.692e-3, 4.805e-3, -3.995e-3, -1.153e-2],
           [4.725e-6, 1.690e-6, 4.982e-5]],
    "CP": [[3.737e3, -1.799e3, -9.933e2, 2.610e3, 1.537e3, -1.618e4],
           [2.930, 1.046e1, 3.516, -1.189, -4.272e1],
           [-4.675e-3, -4.147e-2, 5.109e-2, -1.643e-1],
           [-1.389e-5, 1.847e-5, -7.138e-4]],
    "VI": [[4.705e-4, 2.471e-3, 3.328e-5, 1.659e-3, 3.089e-3, -1.865e-2],
           [-2.550e-5, -1.171e-5, 1.086e-5, 3.157e-6, 1.831e-5],
           [1.782e-7, 1.052e-7, 1.051e-7, 4.063e-7],
           [-7.669e-10, -1.634e-9, -6.475e-9]],
    "TC": [[4.720e-1, -4.286e-1, 1.747e-1, 3.017e-2, -1.322e-1, 2.678e-1],
           [8.903e-4, -1.473e-3, 6.814e-4, -2.412e-3, 2.555e-3],
           [-1.058e-6, 1.059e-5, -3.612e-5, 4.004e-5],
           [-2.789e-9, -1.142e-8, 2.365e-8]],
}


def meg(field, w, t):
    v = sum(c * (t - MEG_TM) ** i * (w - MEG_WM) ** j
            for i, row in enumerate(MEG[field]) for j, c in enumerate(row))
    return math.exp(1000 * v) * 1e-3 if field == "VI" else v


def eg_water(w, ts):
    pct = round(w * 100)
    pts = lambda f: [(t, meg(f, w, t)) for t in ts]
    return {"CN": "乙二醇水溶液%d%%" % pct, "EN": "EG-water %d wt%%" % pct,
            "CP": table(pts("CP"), 4), "MD": table(pts("MD"), 5), "VI": table(pts("VI"), 4),
            "TC": table(pts("TC"), 4),
            "NT": "质量分数%d%%，Melinder(IIR 2010)关联式" % pct,
            "TR": "%d~%d" % (ts[0], ts[-1]), "PH": "液相"}


def brine():
    ts = [-10, 0, 10, 20, 30, 40, 50, 60, 70, 80]
    pts = lambda f: [(t, nacl(f, t)) for t in ts]
    return {"CN": "氯化钠盐水20%", "EN": "NaCl brine 20 wt%",
            "CP": table(pts("CP"), 4), "MD": table(pts("MD"), 5), "VI": table(pts("VI"), 4),
            "TC": table(pts("TC"), 3),
            "NT": "质量分数20%，Laliberte关联式(0℃以下外推)，导热Riedel离子加和法",
            "TR": "-10~80", "PH": "液相"}


# ---- unused engine oil: Incropera & DeWitt, Fundamentals of Heat and Mass Transfer,
# Table A.5, every row: T (K), rho (kg/m3), cp (kJ/(kg K)), mu (1e-2 N s/m2), k (1e-3 W/(m K)).
ENGINE_OIL = [
    (273.15, 899.1, 1.796, 385, 147), (280, 895.3, 1.827, 217, 144),
    (290, 890.0, 1.868, 99.9, 145), (300, 884.1, 1.909, 48.6, 145),
    (310, 877.9, 1.951, 25.3, 145), (320, 871.8, 1.993, 14.1, 143),
    (330, 865.8, 2.035, 8.36, 141), (340, 859.9, 2.076, 5.31, 139),
    (350, 853.9, 2.118, 3.56, 138), (360, 847.8, 2.161, 2.52, 138),
    (370, 841.8, 2.206, 1.86, 137), (380, 836.0, 2.250, 1.41, 136),
    (390, 830.6, 2.294, 1.10, 135), (400, 825.1, 2.337, 0.874, 134),
    (410, 818.9, 2.381, 0.698, 133), (420, 812.1, 2.427, 0.564, 133),
    (430, 806.5, 2.471, 0.470, 132),
]


def engine_oil():
    col = lambda i, scale: k_to_c([(r[0], r[i]) for r in ENGINE_OIL], scale)
    return {"CN": "润滑油（未用机油）", "EN": "Engine oil, unused",
            "CP": table(col(2, 1000)), "MD": table(col(1, 1)), "VI": table(col(3, 1e-2), 4),
            "TC": table(col(4, 1e-3), 4),
            "NT": "Incropera表A.5全部行", "TR": "0~156.85", "PH": "液相"}


CRC = "CRC手册与Perry手册表值；汽化热Watson式(Poling附录A)。"
LIQUIDS = [
    liquid("甲醇", "Methanol",
           [(0, 2390), (20, 2495), (40, 2610), (60, 2730)],
           [(0, 810.0), (20, 791.4), (40, 772.7), (60, 753.6)],
           [(0, 0.793e-3), (25, 0.544e-3), (50, 0.396e-3)],
           [(0, 0.2090), (25, 0.2003), (50, 0.1915)],
           [(0, 24.49e-3), (25, 22.07e-3), (50, 19.67e-3)],
           watson(35.21e6 / 32.042, 337.69, "8097,512.64"), CRC + "适用0~60℃"),
    liquid("乙醇", "Ethanol",
           [(0, 2290), (20, 2420), (40, 2580), (60, 2780)],
           [(0, 806.3), (20, 789.3), (40, 772.1), (60, 754.2)],
           [(0, 1.773e-3), (25, 1.074e-3), (50, 0.694e-3), (75, 0.476e-3)],
           [(0, 0.1730), (25, 0.1670), (50, 0.1610), (75, 0.1550)],
           [(0, 24.05e-3), (25, 21.97e-3), (50, 19.89e-3), (75, 17.80e-3)],
           watson(38.56e6 / 46.069, 351.44, "6148,513.92"), CRC + "适用0~75℃"),
    liquid("丙酮", "Acetone",
           [(0, 2110), (25, 2175), (50, 2260)],
           [(0, 812.0), (20, 790.0), (40, 768.0), (50, 756.0)],
           [(0, 0.395e-3), (25, 0.306e-3), (50, 0.247e-3)],
           [(0, 0.1690), (25, 0.1610), (50, 0.1530)],
           [(0, 26.21e-3), (25, 22.72e-3), (50, 19.65e-3)],
           watson(29.10e6 / 58.08, 329.22, "4701,508.2"), CRC + "适用0~50℃"),
    liquid("苯", "Benzene",
           [(10, 1700), (25, 1741), (50, 1810), (75, 1880)],
           [(10, 889.0), (20, 878.6), (40, 857.3), (60, 836.3), (80, 815.0)],
           [(10, 0.758e-3), (25, 0.604e-3), (50, 0.436e-3), (75, 0.335e-3)],
           [(10, 0.1460), (25, 0.1410), (50, 0.1340), (75, 0.1270)],
           [(10, 30.2e-3), (25, 28.2e-3), (50, 25.0e-3), (75, 21.9e-3)],
           watson(30.72e6 / 78.114, 353.24, "4895,562.05"), CRC + "适用10~75℃"),
    liquid("甲苯", "Toluene",
           [(0, 1630), (25, 1707), (50, 1780), (75, 1860), (100, 1950)],
           [(0, 885.0), (20, 866.9), (40, 848.3), (60, 829.6), (80, 810.5), (100, 791.0)],
           [(0, 0.778e-3), (25, 0.560e-3), (50, 0.424e-3), (75, 0.333e-3), (100, 0.270e-3)],
           [(0, 0.1390), (25, 0.1310), (50, 0.1250), (75, 0.1190), (100, 0.1130)],
           [(0, 30.7e-3), (25, 27.9e-3), (50, 25.1e-3), (75, 22.3e-3), (100, 19.5e-3)],
           watson(33.18e6 / 92.141, 383.79, "4108,591.75"), CRC + "适用0~100℃"),
    liquid("正己烷", "n-Hexane",
           [(0, 2180), (25, 2270), (50, 2380)],
           [(0, 677.4), (20, 659.4), (40, 640.4), (60, 620.6)],
           [(0, 0.405e-3), (25, 0.300e-3), (50, 0.230e-3)],
           [(0, 0.1290), (25, 0.1200), (50, 0.1120)],
           [(0, 20.5e-3), (25, 17.9e-3), (50, 15.4e-3)],
           watson(28.85e6 / 86.177, 341.88, "3025,507.6"), CRC + "适用0~60℃"),
    liquid("正庚烷", "n-Heptane",
           [(0, 2140), (25, 2240), (50, 2340), (75, 2440)],
           [(0, 700.9), (20, 683.8), (40, 667.0), (60, 649.5), (80, 631.9)],
           [(0, 0.517e-3), (25, 0.387e-3), (50, 0.301e-3), (75, 0.243e-3)],
           [(0, 0.1310), (25, 0.1230), (50, 0.1160), (75, 0.1090)],
           [(0, 22.1e-3), (25, 19.7e-3), (50, 17.2e-3), (75, 14.9e-3)],
           watson(31.77e6 / 100.204, 371.57, "2740,540.2"), CRC + "适用0~80℃"),
    liquid("液氨", "Liquid ammonia",
           [(-20, 4520), (0, 4617), (20, 4744), (40, 4949)],
           [(-20, 665.0), (0, 638.6), (20, 610.2), (40, 579.5)],
           [(-20, 0.218e-3), (0, 0.169e-3), (20, 0.134e-3), (40, 0.108e-3)],
           [(-20, 0.590), (0, 0.540), (20, 0.493), (40, 0.447)],
           [(-20, 31.6e-3), (0, 26.3e-3), (20, 21.2e-3), (40, 16.7e-3)],
           table([(-20, 1329.3e3), (0, 1262.2e3), (20, 1186.1e3), (40, 1099.3e3)]),
           "饱和液，ASHRAE手册与NIST WebBook表值。适用-20~40℃"),
    liquid("乙二醇", "Ethylene glycol",
           k_to_c([(273.15, 2294), (290, 2368), (300, 2415), (320, 2505), (340, 2592),
                   (360, 2682), (370, 2728)]),
           k_to_c([(273.15, 1130.8), (290, 1118.8), (300, 1114.4), (320, 1096.2),
                   (340, 1083.8), (360, 1074.0), (370, 1066.7)]),
           k_to_c([(273.15, 6.51e-2), (280, 4.20e-2), (290, 2.47e-2), (300, 1.57e-2),
                   (310, 1.07e-2), (320, 0.757e-2), (330, 0.561e-2), (340, 0.431e-2),
                   (350, 0.342e-2), (360, 0.278e-2), (370, 0.228e-2)]),
           k_to_c([(273.15, 0.242), (290, 0.248), (300, 0.252), (320, 0.258), (340, 0.261),
                   (360, 0.261), (370, 0.262)]),
           "20,47.99E-3",
           watson(50.5e6 / 62.068, 470.45, "8200,720"),
           "Incropera表A.5；表面张力与汽化热CRC手册，Watson式。适用0~95℃"),
    eg_water(0.30, list(range(-10, 101, 10))),
    eg_water(0.50, list(range(-30, 101, 10))),
    brine(),
    liquid("轻柴油", "Light gas oil",
           [(20, 1900), (50, 2000), (100, 2150), (150, 2300)],
           [(20, 840.0), (50, 819.0), (100, 784.0), (150, 749.0)],
           [(20, 4.0e-3), (50, 2.2e-3), (100, 1.0e-3), (150, 0.6e-3)],
           [(20, 0.130), (50, 0.127), (100, 0.122), (150, 0.117)],
           None, None, "典型值，Perry手册石油馏分物性图表估读。适用20~150℃"),
    engine_oil(),
    liquid("导热油（联苯醚型）", "Heat transfer oil",
           [(20, 1550), (100, 1750), (200, 2000), (300, 2250)],
           [(20, 1064.0), (100, 1000.0), (200, 913.0), (300, 817.0)],
           [(20, 4.0e-3), (100, 0.97e-3), (200, 0.40e-3), (300, 0.22e-3)],
           [(20, 0.138), (100, 0.128), (200, 0.114), (300, 0.101)],
           None, None, "联苯-联苯醚共沸物(Dowtherm A型)，厂商物性表近似值。适用20~300℃"),
]


def gbk_len(s):
    return len(s.encode("gbk"))


# Reference values between the nodes, for the records whose source gives them at any t.
REFERENCES = {"Water": saturated(0), "Saturated steam": saturated(1),
              "NaCl brine 20 wt%": nacl}


def main():
    records = [water(), steam()] + [gas(g) for g in GASES] + LIQUIDS
    out = []
    cases = []
    for i, r in enumerate(records, 1):
        rec = {"NO": "%03d" % i}
        rec.update(r)
        # The note states how far the interpolated tables may stray between their nodes:
        # against the source at the midpoints where the source gives values at any t,
        # otherwise the miss at each interior node left out of its table (a bound).
        ref = REFERENCES.get(rec["EN"])
        if ref:
            dev, mids = between_nodes(rec, ref)
            cases += [(rec["EN"], f, t, v, d) for f, t, v, d in mids]
        else:
            dev = loo_deviation(rec)
        rec["NT"] = "%s；节点间偏差≤%s%%" % (rec["NT"], pct(dev))
        for name, width, _ in FIELDS + VALIDITY:
            v = rec.get(name)
            if v is not None and gbk_len(v) > width:
                raise SystemExit("%s %s: %d bytes > %d" % (rec["NO"], name, gbk_len(v), width))
        out.append(rec)
    lines = ['{', '  "format": "Tubalon PropLib",', '  "version": 2,']
    for key, defs in (("fields", FIELDS), ("validityFields", VALIDITY)):
        lines.append('  "%s": [' % key)
        for i, (name, width, cap) in enumerate(defs):
            lines.append('    {"name": "%s", "width": %d, "caption": %s}%s' % (
                name, width, json.dumps(cap, ensure_ascii=False),
                "," if i + 1 < len(defs) else ""))
        lines.append('  ],')
    lines += ['  "records": [']
    names = [f[0] for f in FIELDS + VALIDITY]
    for k, rec in enumerate(out):
        lines.append('    {')
        for i, name in enumerate(names):
            v = rec.get(name)
            lines.append('      "%s": %s%s' % (name, "null" if v is None else json.dumps(
                v, ensure_ascii=False), "," if i + 1 < len(names) else ""))
        lines.append('    }' + ("," if k + 1 < len(out) else ""))
    lines += ['  ]', '}', '']
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "PropLib.cds")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))
    print("%d records written to %s" % (len(out), path))
    for rec in out:
        print("%s %-22s %s" % (rec["NO"], rec["EN"], rec["NT"]), file=sys.stderr)
    if "--cases" in sys.argv:
        # The midpoint references as rows of the test's table.
        for en, f, t, v, d in cases:
            print('        {"%s", "%s", %s, %.6g},  // %.3f %%' % (en, f, t, v, d * 100))


if __name__ == "__main__":
    main()
