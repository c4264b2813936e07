#include "props/PropCell.h"

#include "props/PropLib.h"
#include "props/PropLimits.h"
#include "units/Errors.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cmath>

using namespace tubalon;

namespace {

using Kind = TCellOutcome::Kind;

TPropRecord Cell(const QString& field, const QString& text, const QString& cn = "测试") {
    TPropRecord r;
    r.f[0] = "1";
    r.f[1] = cn;
    r.f[static_cast<size_t>(PropFieldIndex(field))] = text;
    return r;
}

TCellOutcome Eval(const QString& field, const QString& text, const QString& t = "20",
                  const QString& p = "100", const QString& cn = "测试") {
    TPlainValues v;
    v.SetValue("t", t);
    v.SetValue("p", p);
    const TPropRecord r = Cell(field, text, cn);
    return EvaluatePropertyCell(&r, field, v);
}

struct ValueCase {
    const char* field;
    const char* cell;
    const char* t;
    double expected;
};

class CellValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(CellValues, GiveTheExpectedValue) {
    const ValueCase& c = GetParam();
    const TCellOutcome o = Eval(c.field, QString::fromUtf8(c.cell), c.t);
    ASSERT_EQ(o.kind, Kind::Value) << c.cell << ": " << o.message.toStdString();
    EXPECT_NEAR(o.value, c.expected, std::max(1e-9, std::fabs(c.expected) * 1e-9)) << c.cell;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CellValues,
    ::testing::Values(
        ValueCase{"Cp", "4180", "20", 4180}, ValueCase{"MD", "20,998.2", "20", 998.2},
        ValueCase{"MD", "20,998.2", "85", 998.2}, ValueCase{"Cp", "Cp=4180 {water}", "20", 4180},
        ValueCase{"Cp", "0.5 ? unsure", "20", 0.5}, ValueCase{"Cp", "7 < note", "20", 7},
        ValueCase{"MD", "0,1000;50,988;100,958", "50", 988},
        ValueCase{"MD", "0,1000;50,988;100,958", "25", 996.25},
        ValueCase{"MD", "0,1000;50,988;100,958", "120", 940.96},
        ValueCase{"MD", "0,1000;50,988;100,958;", "25", 996.25},
        ValueCase{"MD", "0,10;20,12;40,15;60,19;80,24;100,30", "50", 16.875},
        // Below the first x: the cubic through the first four points.
        ValueCase{"MD", "0,10;20,12;40,15;60,19;80,24;100,30", "-10", 9.375},
        ValueCase{"Cp", "1000-0.5*t", "20", 990},
        ValueCase{"Cp", "Pr*2 PARAMS:4599", "20", 100.0 / 4599 * 2},
        ValueCase{"Cp", "T", "20", 293.15}, ValueCase{"Cp", "P", "20", 100000},
        ValueCase{"Cp", "R*2", "20", 16.628}, ValueCase{"Cp", "sqrt(t)", "16", 4},
        ValueCase{"Cp", "exp(t/100)", "0", 1}, ValueCase{"Cp", "2*2090", "20", 4180},
        ValueCase{"Cp", "Tr PARAMS:4599,190.6", "20", 293.15 / 190.6},
        ValueCase{"Cp", "M*w PARAMS:1,2,3,4,0.5,16", "20", 8},
        // Viscosity tables: ln mu against 1/T (two points: a straight line).
        ValueCase{"VI", "0,1E-3;100,1E-4", "50",
                  std::exp(std::log(1E-3) +
                           (1 / 323.15 - 1 / 273.15) / (1 / 373.15 - 1 / 273.15) * std::log(0.1))},
        ValueCase{"VI", "0,1E-3;100,1E-4", "100", 1E-4},
        ValueCase{"MD", "0,1E-3;100,1E-4", "50", 5.5E-4}));

TEST(PropCell, EquationOfStateCalls) {
    const QString crit = "4599,190.6,99,0.286,0.011,16.04";
    TCellOutcome md = Eval("MD", "PRD:" + crit);
    ASSERT_EQ(md.kind, Kind::Value);
    EXPECT_NEAR(md.value, 0.6597, 0.0005);
    TCellOutcome vir = Eval("MD", "VRV:" + crit);
    ASSERT_EQ(vir.kind, Kind::Value);
    EXPECT_NEAR(vir.value, 0.6593, 0.0005);
    TCellOutcome vi = Eval("VI", "PRV:" + crit);
    ASSERT_EQ(vi.kind, Kind::Value);
    EXPECT_NEAR(vi.value, 9.30e-6, 0.05e-6);
    TCellOutcome tc = Eval("TC", "PRU:" + crit);
    ASSERT_EQ(tc.kind, Kind::Value);
    EXPECT_NEAR(tc.value, 0.0930, 0.0005);
    // The liquid flag comes from the Chinese name.
    const QString water = "22064,647.1,56,0.229,0.345,18.015";
    TCellOutcome liq = Eval("MD", "PRD:" + water, "20", "101.325", "液态水");
    ASSERT_EQ(liq.kind, Kind::Value);
    EXPECT_NEAR(liq.value, 851.4, 0.5);
    TCellOutcome gas = Eval("MD", "PRD:" + water, "20", "101.325", "水");
    EXPECT_NEAR(gas.value, 0.761, 0.005);
}

TEST(PropCell, ResidualHeatCapacityInFormulas) {
    const QString crit = "4599,190.6,99,0.286,0.011,16.04";
    TCellOutcome pr = Eval("Cp", "2000+PRRCP PARAMS:" + crit);
    ASSERT_EQ(pr.kind, Kind::Value) << pr.message.toStdString();
    EXPECT_NEAR(pr.value, 2002.85, 0.01);
    TCellOutcome vr = Eval("Cp", "VRRCP PARAMS:" + crit);
    ASSERT_EQ(vr.kind, Kind::Value);
    EXPECT_NEAR(vr.value, 6.91, 0.01);
}

struct FailCase {
    const char* field;
    const char* cell;
    const char* t;
    const char* mentions; // part of the message
};

class CellFailures : public ::testing::TestWithParam<FailCase> {};

// Failures name the property and the reason, leave the field empty and let the run go on.
TEST_P(CellFailures, AreReportedWithTheReason) {
    const FailCase& c = GetParam();
    const TCellOutcome o = Eval(c.field, QString::fromUtf8(c.cell), c.t);
    EXPECT_EQ(o.kind, Kind::Failed) << c.cell;
    EXPECT_EQ(o.value, 0);
    EXPECT_TRUE(o.message.contains(QString::fromUtf8(c.mentions))) << o.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CellFailures,
    ::testing::Values(
        // Upper-case built-in names are damaged by the replacements.
        FailCase{"Cp", "SQRT(t)", "20", "比热"}, FailCase{"VI", "EXP(t)", "20", "黏度"},
        FailCase{"Cp", "1/0", "20", "被0除"}, FailCase{"Cp", "2*(t", "20", "不匹配"},
        // A keyword call for a field it does not serve, and an unknown keyword.
        FailCase{"Cp", "PRD:4599,190.6,99,0.286,0.011,16.04", "20", "不能计算"},
        FailCase{"ST", "VRV:4599,190.6,99,0.286,0.011,16.04", "20", "表面张力"},
        FailCase{"MD", "XYZ:4599,190.6,99,0.286,0.011,16.04", "20", "XYZ"},
        // Bad critical constants.
        FailCase{"MD", "PRD:0,190.6,99,0.286,0.011,16.04", "20", "临界参数"},
        FailCase{"VI", "PRV:4599,190.6,99,0,0.011,16.04", "20", "临界参数"},
        FailCase{"MD", "PRD:4599,-190.6,99,0.286,0.011,16.04", "20", "临界参数"},
        FailCase{"MD", "VRV:4599,190.6,99,0.286,0.011,0", "20", "临界参数"},
        FailCase{"Cp", "1000+PRRCP PARAMS:4599,0,99,0.286,0.011,16.04", "20", "PRRCP"},
        // Too many numbers, too many points, equal x in the window.
        FailCase{"MD", "PRD:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19", "20", "18"},
        FailCase{"MD", "0,1;0,2;1,3", "0.5", "相同"},
        // Above the critical temperature Watson's relation has no value.
        FailCase{"HV", "1E6*((1-Tr)/(1-300/Tc))^0.38 PARAMS:5000,400", "200", "蒸发潜热"},
        // Values that are not physical are not given.
        FailCase{"MD", "0,1000;50,500;100,10", "150", "不是可用的物性值"},
        FailCase{"Cp", "1000-20*t", "60", "-200"}, FailCase{"TC", "0", "20", "导热系数"},
        FailCase{"VI", "0,1E-3;50,0;100,1E-4", "20", "不为正"},
        FailCase{"VI", "0,1E-3;100,1E-4", "-280", "绝对零度"}));

TEST(PropCell, TooManyPoints) {
    QString cell;
    for (int i = 0; i < 101; ++i)
        cell += QString("%1,1;").arg(i);
    EXPECT_EQ(Eval("MD", cell, "5").kind, Kind::Failed);
    cell.chop(QString("100,1;").size());
    EXPECT_EQ(Eval("MD", cell, "5").kind, Kind::Value);
}

TEST(PropCell, EmptyAndNullCellsClearTheField) {
    TPlainValues v;
    TPropRecord r;
    EXPECT_EQ(EvaluatePropertyCell(&r, "Cp", v).kind, Kind::Clear); // null
    EXPECT_EQ(EvaluatePropertyCell(nullptr, "Cp", v).kind, Kind::Clear);
    for (const char* cell : {"   ", "? only a comment", "Cp=", "{x}"})
        EXPECT_EQ(Eval("Cp", cell).kind, Kind::Clear) << cell;
}

TEST(PropCell, EmptyTemperatureStopsBeforeAnything) {
    const TCellOutcome o = Eval("Cp", "4180", "");
    EXPECT_EQ(o.kind, Kind::NoTemperature);
    EXPECT_EQ(o.message, QString("请指定温度！"));
}

TEST(PropCell, ConversionErrorsStopTheRun) {
    struct Case {
        const char* field;
        const char* cell;
        const char* t;
        const char* p;
        const char* offending;
    };
    const Case cases[] = {
        {"Cp", "max(t,0)", "20", "100", "0)"},
        {"MD", "0,1000;x,988", "20", "100", "x"},
        {"MD", "0,1000;50,988", "warm", "100", "warm"},
        {"MD", "PRD:4599,abc,99", "20", "100", "abc"},
        {"MD", "PRD:4599,190.6,99,0.286,0.011,16.04", "20", "high", "high"},
    };
    for (const Case& c : cases) {
        try {
            Eval(c.field, c.cell, c.t, c.p);
            ADD_FAILURE() << c.cell;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), QString("“%1” 不是有效的数字").arg(c.offending));
        }
    }
}

TEST(PropCell, FormulaVariablesComeFromTheTable) {
    TPlainValues v;
    const TPropRecord r = Cell("Cp", "1000*V");
    TCellOutcome o = EvaluatePropertyCell(&r, "Cp", v);
    // V has no row: one is added, and the formula cannot be evaluated until it is filled.
    EXPECT_EQ(v.rows.size(), 4u);
    EXPECT_EQ(v.rows[3].name, QString("V"));
    EXPECT_NE(o.kind, Kind::Value);
    v.SetValue("V", "3");
    o = EvaluatePropertyCell(&r, "Cp", v);
    ASSERT_EQ(o.kind, Kind::Value);
    EXPECT_EQ(o.value, 3000);
    // A formula without variables leaves t and p in place.
    const TPropRecord c = Cell("Cp", "2*2090");
    EvaluatePropertyCell(&c, "Cp", v);
    EXPECT_EQ(v.GetValue("t"), QString("20"));
    EXPECT_EQ(v.GetValue("p"), QString("100"));
}

TEST(PropCell, ClosedLibraryIsAnError) {
    TPropLib lib;
    TPlainValues v;
    EXPECT_THROW(EvaluatePropertyCell(lib, "Cp", v), Error);
}

TEST(PropCell, ExpansionOrder) {
    QStringList P(100);
    P[1] = "4599";
    P[2] = "190.6";
    EXPECT_EQ(ExpandFormula("Pc+Pr+Tc+Tr+T+P+R", P, {}, {}),
              "(1.0E3*4599)+(p/4599)+190.6+((t+273.15)/190.6)+(t+273.15)+(1.0E3*p)+8.314");
    // Without a parameter list only T, P and R are replaced, also inside words.
    EXPECT_EQ(ExpandFormula("TRIP", QStringList(100), {}, {}), "(t+273.15)8.314I(1.0E3*p)");
    EXPECT_EQ(ExpandFormula("PRRCP*2", QStringList(100), "1.5", {}), "1.5*2");
}

// ---- the shipped library ----

// The range a record states in its field TR.
TRange RangeOf(const TPropRecord& r) {
    const TPropLimits l = RecordLimits(r);
    return l.t && !l.tFromTables ? *l.t : TRange{NAN, NAN};
}

TEST(ShippedLibrary, EveryCellIsPositiveAndFiniteInItsRange) {
    TPropLib lib;
    lib.Load(QStringLiteral(TUBALON_SHIPPED_LIB));
    ASSERT_GE(lib.Count(), 25);
    for (int i = 0; i < lib.Count(); ++i) {
        const TPropRecord& r = lib.Record(i);
        const TRange range = RangeOf(r);
        ASSERT_TRUE(std::isfinite(range.lo)) << "no range stated for " << r.Text(0).toStdString();
        int filled = 0;
        for (double f : {0.0, 0.3, 0.5, 0.8, 1.0}) {
            const double t = range.lo + f * (range.hi - range.lo);
            for (const TPropCellName& c : PropCellNames()) {
                TPlainValues v;
                v.SetValue("t", QString::number(t, 'g', 10));
                const TCellOutcome o = EvaluatePropertyCell(&r, c.field, v);
                const std::string where = r.Text(0).toStdString() + " " + r.Text(1).toStdString() +
                                          " " + c.field + " t=" + std::to_string(t) + " " +
                                          o.message.toStdString();
                if (r.IsNull(c.field)) {
                    EXPECT_EQ(o.kind, Kind::Clear) << where;
                    continue;
                }
                ++filled;
                ASSERT_EQ(o.kind, Kind::Value) << where;
                EXPECT_TRUE(std::isfinite(o.value) && o.value > 0) << where << " " << o.value;
            }
        }
        EXPECT_GE(filled, 4 * 5) << r.Text(1).toStdString();
    }
}

TEST(ShippedLibrary, AgreesWithReferenceValues) {
    TPropLib lib;
    lib.Load(QStringLiteral(TUBALON_SHIPPED_LIB));
    struct Ref {
        const char* en;
        const char* field;
        double t, p, expected, relTol;
        const char* source;
    };
    const Ref refs[] = {
        {"Water", "MD", 25, 100, 997.05, 1e-3, "IAPWS-IF97, 25 C"},
        {"Water", "Cp", 50, 100, 4180.6, 2e-3, "IAPWS-95, 50 C"},
        {"Water", "VI", 25, 100, 0.8900e-3, 5e-3, "IAPWS 2008, 25 C"},
        {"Water", "ST", 20, 100, 72.74e-3, 2e-3, "IAPWS 1994, 20 C"},
        {"Water", "HV", 100, 100, 2256.5e3, 2e-3, "steam tables, 100 C"},
        {"Saturated steam", "MD", 150, 476, 2.548, 5e-3, "steam tables, 150 C"},
        {"Air", "MD", 20, 101.325, 1.2041, 3e-3, "ideal gas, 20 C, 1 atm"},
        {"Air", "Cp", 26.85, 100, 1007, 5e-3, "Incropera A.4, 300 K"},
        {"Air", "VI", 50, 100, 19.6e-6, 2e-2, "Incropera A.4, 323 K"},
        {"Nitrogen", "MD", 0, 101.325, 1.2498, 3e-3, "1 atm, 0 C"},
        {"Methane", "MD", 0, 101.325, 0.7175, 5e-3, "1 atm, 0 C"},
        {"Carbon dioxide", "Cp", 26.85, 100, 851, 1e-2, "Incropera A.4, 300 K"},
        {"Methanol", "MD", 25, 100, 786.6, 3e-3, "CRC, 25 C"},
        {"Ethanol", "HV", 78.29, 100, 837e3, 1e-3, "boiling point"},
        {"Ethanol", "HV", 25, 100, 919e3, 3e-2, "CRC 42.3 kJ/mol at 25 C"},
        {"Toluene", "HV", 25, 100, 412e3, 3e-2, "CRC 38.0 kJ/mol at 25 C"},
        {"Liquid ammonia", "HV", 10, 100, 1226e3, 1e-2, "ASHRAE, 10 C"},
    };
    for (const Ref& ref : refs) {
        int row = -1;
        for (int i = 0; i < lib.Count(); ++i)
            if (lib.Record(i).Text("EN") == QLatin1String(ref.en)) row = i;
        ASSERT_GE(row, 0) << ref.en;
        TPlainValues v;
        v.SetValue("t", QString::number(ref.t, 'g', 10));
        v.SetValue("p", QString::number(ref.p, 'g', 10));
        const TCellOutcome o = EvaluatePropertyCell(&lib.Record(row), ref.field, v);
        ASSERT_EQ(o.kind, Kind::Value) << ref.en << " " << ref.field << o.message.toStdString();
        EXPECT_NEAR(o.value, ref.expected, ref.expected * ref.relTol)
            << ref.en << " " << ref.field << " (" << ref.source << ")";
    }
}

} // namespace
