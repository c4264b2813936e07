#!/usr/bin/env python3
"""Writes the seed inputs of every fuzz target: fuzz/seeds.py OUT-DIR (run from the top)."""
import glob
import json
import os
import re
import shutil
import sys

out = sys.argv[1]


def target(name):
    d = os.path.join(out, name)
    shutil.rmtree(d, ignore_errors=True)
    os.makedirs(d)
    return d


def write(d, name, data):
    with open(os.path.join(d, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


def gbk_crlf(lines):
    return "".join(l + "\r\n" for l in lines).encode("gbk")


lib = json.load(open("data/PropLib.cds", encoding="utf-8"))
cells = [(r.get("CN", ""), f, r.get(f, "")) for r in lib["records"]
         for f in ("CP", "MD", "VI", "TC", "ST", "HV") if r.get(f, "")]
table = re.compile(r"^\s*-?[\d.]+\s*,[^;]*;")
keyword = re.compile(r"^[A-Z]{3}:")

# Case-file reader: the shipped cases and templates, and small hand-made records.
d = target("casefile_fuzz")
for path in glob.glob("examples/*.cdp") + glob.glob("data/*.dpt"):
    shutil.copy(path, d)
write(d, "seed-field", b"WrD\r\nFloat\r\nExchange\r\n0.27778\r\n\r\nWrD\r\nString\r\nText\r\n1.5\r\n\r\n")
write(d, "seed-note", b"CmtsD\r\nRich\r\nLines\r\n\xa1\xf7abc\xa1\xf8\xa1\xf7xyz\r\n\r\n")
write(d, "seed-list", b"CheckList1\r\nCheckListBox\r\nItems\r\na\xa1\xf81\xa1\xf8b\xa1\xf80\r\n\r\n")
write(d, "seed-click", b"FlowType\r\nOrd\r\nItemIndex\r\n1\r\n\r\nCBAuto\r\nEnum\r\nChecked\r\nFalse\r\n\r\n")

# Formula evaluator: each corner of the grammar, and every formula of the shipped library.
d = target("formula_fuzz")
grammar = [
    "1000-0.5*t",
    "exp(-2.3+0.001*((t+273.15)-273.15))*1.0E3*p/(8.314*(t+273.15))",
    "(1<2) & (0 | 1)",
    "IF(t>0, sqrt(t), -t^2)",
    "MAX(1,2,3)+SUM(1E37,1E37)+STD(1,2)",
    "LENGTH('a b')+STRCOMP(\"x\", 'X')",
    "1.E3+.5e-2+5.",
    "SELF+1",
    "FLAG+COUNT",
    "V*Z\nV=-5\nZ=2+3",
    "((((((((((1))))))))))",
    "--+-1^-2^3",
]
for i, s in enumerate(grammar, 1):
    write(d, "seed-%d" % i, s)
n = 0
for cn, field, cell in cells:
    if table.match(cell) or keyword.match(cell):
        continue
    n += 1
    write(d, "lib-%d" % n, cell.split(" PARAMS:")[0] + "\nT=293.15\nM=18")

# Property cell expansion: hand-made cells, and every shipped cell at 20 degC and 100 kPa.
d = target("props_cell_fuzz")
hand = [
    "Cp\n水\n20\n100\n4180",
    "MD\n水\n25\n100\n0,1000;50,988;100,958;",
    "MD\n液氨\n20\n101.325\nPRD:22064,647.1,56,0.229,0.345,18.015",
    "MD\n空气\n20\n100\nVRV:4599,190.6,99,0.286,0.011,16.04",
    "VI\n空气\n-300\n0\nPRV:4599,190.6,99,0.286,0.011,16.04",
    "TC\n空气\n1E30\n1E-30\nPRU:1,1,1,1,1,1",
    "Cp\nx\n20\n100\nVRRCP PARAMS:3770,132.5,88.3,0.302,0.035,28.97",
    "HV\nx\n20\n100\n1E6*((1-Tr)/(1-300/Tc))^0.38 PARAMS:8097,512.64",
    "ST\nx\n20\n100\nCp=0.5 ? note < x { y",
    "Cp\nx\n\n\nPr*Vr*Zr*w*B PARAMS:1,2,3,4,5,6,7",
]
for i, s in enumerate(hand, 1):
    write(d, "seed-%d" % i, s)
for i, (cn, field, cell) in enumerate(cells, 1):
    write(d, "lib-%d" % i, "%s\n%s\n20\n100\n%s" % (field, cn, cell))

# INI reader: the parameter file as the program writes it, a recent-files list, comments,
# blanks, odd case and spacing, a key in two sections.
d = target("ini_fuzz")
write(d, "params.ini", gbk_crlf([
    "[Fittings]", "------阻力系数------=ζ：", "套管进口=1.5", "套管出口=1.3",
    "中心管U弯头R/d:1.5=0.35", "------缺省流速------=U：", "外管气体速度/m/S=20",
    "外管液体速度/m/S=1.5", "内管气体速度/m/S=20.0", "内管液体速度/m/S=1.5",
    "--------杂项--------=X：", "气液分界密度/kg/m3=100", "缺省釜空时/S=20"]))
write(d, "mru.ini", gbk_crlf([
    "[MRU List]", "1=/home/user/cases/水-水.cdp", "2=C:\\算例\\kettle.cdp", "3=", "",
    "[Other]", "1=x"]))
write(d, "rules.ini", gbk_crlf([
    "; comment", "[fittings]", " 套管进口 = 2.5 ", ";套管出口=7", "", "[ MRU list ]",
    "1 = a=b.cdp", "[Fittings]", "套管进口=9"]))
write(d, "bare.ini", b"key=value\n[Fittings]\r\nno equals sign\rX=1")

# Property library reader: the shipped library.
d = target("props_lib_fuzz")
shutil.copy("data/PropLib.cds", os.path.join(d, "shipped.cds"))
