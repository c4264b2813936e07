#include "formula/FormulaParser.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tubalon;

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

struct Case {
    const char* Text;
    long double Value;
    int Code;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << '"' << c.Text << '"';
}

class BuiltinTable : public ::testing::TestWithParam<Case> {};

TEST_P(BuiltinTable, ValueAndCode) {
    const Case& c = GetParam();
    int code = -1;
    const long double v = Evaluate(std::string(c.Text), code);
    EXPECT_EQ(code, c.Code);
    const long double tol = std::fabs(c.Value) * 1e-17L + 1e-18L;
    EXPECT_NEAR(static_cast<double>(v - c.Value), 0.0, static_cast<double>(tol))
        << "got " << static_cast<double>(v);
}

INSTANTIATE_TEST_SUITE_P(
    Worked, BuiltinTable,
    ::testing::Values(
        Case{"SGN(0)", 1, 0}, Case{"SGN(-3)", -1, 0}, Case{"ROUND(2.5)", 3, 0},
        Case{"ROUND(-2.5)", -3, 0}, Case{"ROUND(3000000000.5)", 3000000000.5L, 0},
        Case{"INT(-1.5)", -1, 0}, Case{"FRAC(-1.25)", -0.25L, 0}, Case{"TAN(0)", 0, 0},
        Case{"SEC(0)", 1, 0}, Case{"TAN(PI/2)", 0, 5}, Case{"SEC(PI/2)", 0, 18},
        Case{"TAN(PI)", 0, 0}, Case{"CSC(0)", 0, 17}, Case{"COT(PI)", 0, 19}, Case{"LN(0)", 0, 7},
        Case{"LOG(-1)", 0, 7}, Case{"LOG(1000)", 3, 0}, Case{"SQRT(-1)", 0, 8},
        Case{"SQRT(2.25)", 1.5L, 0}, Case{"EXP(88)", 0, 11}, Case{"EXP(-88)", 0, 11},
        Case{"EXP(1)", std::exp(1.0L), 0}, Case{"SQR(3)", 9, 0}, Case{"SQR(0)", 0, 0},
        Case{"SQR(1E-20)", 0, 11}, Case{"SQR(1E20)", 0, 11}, Case{"(1E-20)^2", 1E-40L, 0},
        Case{"SINH(90)", 0, 20}, Case{"CSCH(0)", 0, 21}, Case{"COTH(0)", 0, 22},
        Case{"ARCCOSH(0.5)", 0, 23}, Case{"ARCTANH(1)", 0, 24}, Case{"ARCCSCH(0)", 0, 25},
        Case{"ARCSECH(2)", 0, 26}, Case{"ARCCOTH(1)", 0, 27}, Case{"ARCSINH(1E19)", 0, 20},
        Case{"NOT(2)", 0, 13}, Case{"XOR(1,2)", 0, 13}, Case{"AND(1,0.5)", 0, 13},
        Case{"AND(1,1,1)", 1, 0}, Case{"AND(1,0)", 0, 0}, Case{"OR(0,0)", 0, 0},
        Case{"OR(0,1)", 1, 0}, Case{"XOR(1,1)", 0, 0}, Case{"XOR(0,1)", 1, 0}, Case{"NOT(0)", 1, 0},
        Case{"MAX(3,7,5)", 7, 0}, Case{"MIN(3,7,5)", 3, 0}, Case{"SUM(1,2,3)", 6, 0},
        Case{"SUM(9E37,9E37)", 0, 11}, Case{"AVG(1,2,3)", 2, 0}, Case{"AVGERAGE(1,2,3)", 2, 0},
        Case{"AVERAGE(1,2)", 0, 38}, Case{"STD(2,4,4,4,5,5,7,9)", std::sqrt(32.0L / 7), 0},
        Case{"STDEV(1,1)", 0, 0}, Case{"MEAN(1,2)", 0, 32}, Case{"RND(5.5)", 0, 37},
        Case{"RND(1E15)", 0, 37}, Case{"RND(-3)", 0, 37}, Case{"RND(0)", 0, 0},
        Case{"RND(1)", 0, 0}, Case{"IF(1,2,3)", 2, 0}, Case{"IF(0,2,3)", 3, 0},
        Case{"IF(2,2,3)", 0, 36}, Case{"IF(1,2)", 0, 35}, Case{"IF(1,2,3,4)", 0, 35},
        Case{"LENGTH('abc')", 3, 0}, Case{"LENGTH('a b')", 2, 0}, Case{"LENGTH()", 0, 33},
        Case{"LENGTH", 0, 0}, Case{"STRCOMP('abc','ABC')", 1, 0},
        Case{"STRCOMP('ab', 'A B')", 1, 0}, Case{"STRCOMP('ab','abc')", 0, 0},
        Case{"STRCOMP('ab' 'c')", 0, 14}, Case{"STRCOMP(ab,'c')", 0, 33}, Case{"PI", kPi, 0},
        Case{"PI()", kPi, 0}, Case{"e", std::exp(1.0L), 0}, Case{"DEG(PI)", 180, 0},
        Case{"RAD(180)", kPi, 0}, Case{"ARCTAN(1)*4", kPi, 0}, Case{"TRUE+FALSE()", 1, 0},
        Case{"COS(0)", 1, 0}, Case{"SIN(0)", 0, 0}, Case{"ABS(-2)", 2, 0}, Case{"COSH(0)", 1, 0},
        Case{"SECH(0)", 1, 0}, Case{"TANH(0)", 0, 0}, Case{"ARCTANH(0)", 0, 0},
        Case{"ARCCOSH(1)", 0, 0}, Case{"ARCSECH(1)", 0, 0},
        Case{"ARCCOTH(-2)", -std::log(3.0L) / 2, 0}, Case{"COS(1)", std::cos(1.0L), 0},
        Case{"sin(1)", std::sin(1.0L), 0}, Case{"Sqrt(16)", 4, 0}, Case{"SIN(1,2)", 0, 14},
        Case{"XOR(1)", 0, 14}));

TEST(BuiltinOpenCases, LargeArgumentsGiveAValueOrACode) {
    // Arithmetic that would leave the range ends in a code, never in inf or NaN.
    const char* texts[] = {"AVG(1E4000,1E4000)", "STD(1E4000,-1E4000)", "CSCH(1E-4000)",
                           "COTH(1E-4000)",      "ARCCSCH(1E-4000)",    "SIN(1E4000)",
                           "TAN(1E4000)",        "MAX(1E4000,1)"};
    for (const char* t : texts) {
        int code = -1;
        const long double v = Evaluate(std::string(t), code);
        EXPECT_TRUE(std::isfinite(v)) << t;
        if (code != 0) {
            EXPECT_EQ(v, 0) << t;
        }
        EXPECT_LE(std::fabs(v), 1.7976931348623157e308L) << t;
    }
}

TEST(BuiltinOpenCases, ArccschOfLargeNegativeArgumentPasses) {
    int code = -1;
    const long double v = Evaluate(std::string("ARCCSCH(-1E19)"), code);
    EXPECT_EQ(code, 0);
    EXPECT_LT(v, 0);
    EXPECT_GT(v, -1e-18L);
}

TEST(Random, DrawsStayInTheirRanges) {
    TFormulaParser parser;
    bool differs = false;
    long double first = parser.Evaluate("RAND");
    for (int i = 0; i < 500; ++i) {
        const long double r = parser.Evaluate("RAND()");
        EXPECT_GE(r, 0);
        EXPECT_LT(r, 1);
        differs = differs || r != first;
        const long double n = parser.Evaluate("RND(7)");
        EXPECT_EQ(parser.ErrorCode(), 0);
        EXPECT_GE(n, 0);
        EXPECT_LT(n, 7);
        EXPECT_EQ(n, std::trunc(n));
    }
    EXPECT_TRUE(differs);
}

} // namespace
