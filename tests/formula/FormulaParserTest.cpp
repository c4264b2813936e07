#include "formula/FormulaParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

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

// Values agree to the precision of the extended type (powers go through exp and ln).
void ExpectValue(long double expected, long double actual) {
    const long double tol = std::fabs(expected) * 1e-17L + 1e-300L;
    EXPECT_NEAR(static_cast<double>(expected - actual), 0.0, static_cast<double>(tol))
        << "expected " << static_cast<double>(expected) << ", got " << static_cast<double>(actual);
}

class EvaluateTable : public ::testing::TestWithParam<Case> {};

TEST_P(EvaluateTable, ValueAndCode) {
    const Case& c = GetParam();
    TFormulaParser parser;
    const long double v = parser.Evaluate(c.Text);
    EXPECT_EQ(parser.ErrorCode(), c.Code);
    ExpectValue(c.Value, v);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, EvaluateTable,
    ::testing::Values(
        Case{"", 0, 6}, Case{"   ", 0, 6}, Case{"(1", 0, 3}, Case{"1)", 0, 3}, Case{"2+3*4", 14, 0},
        Case{"(2+3)*4", 20, 0}, Case{"2^3^2", 64, 0}, Case{"-2^2", 4, 0}, Case{"2^-1", 0.5L, 0},
        Case{"10--5", 15, 0}, Case{"1<2<3", 1, 0}, Case{"1<2 & 0", 1, 0}, Case{"(1<2) & 0", 0, 0},
        Case{"1 < = 1", 1, 0}, Case{"2<>2", 0, 0}, Case{"1,2", 1, 0}, Case{"2 3", 0, 2},
        Case{"2X", 0, 2}, Case{"- 5", 0, 2}, Case{"2 - 5", -3, 0}, Case{".5", 0.5L, 0},
        Case{"1.E3", 1000, 0}, Case{"1e3", 1000, 0}, Case{"5.", 5, 0}, Case{"1.2.3", 0, 1},
        Case{"2E", 0, 1}, Case{"1E5E2", 0, 1}, Case{"1E20*1E20", 0, 11}, Case{"1E-20*1E-20", 0, 11},
        Case{"1E30+1E30", 2E30L, 0}, Case{"9E37+9E37", 0, 11}, Case{"1E40", 1E40L, 0},
        Case{"+5", 5, 0}, Case{"5/0", 0, 9}, Case{"0/5", 0, 0}, Case{"0^0", 0, 0},
        Case{"0^-1", 0, 0}, Case{"(-8)^(1/3)", 0, 4}, Case{"(-2)^3", -8, 0}, Case{"pi", kPi, 0},
        Case{"PI()", kPi, 0}, Case{"P I", kPi, 0}, Case{"PI(1)", 0, 14}, Case{"SIN 1", 0, 38},
        Case{"FOO(1)", 0, 38}, Case{"MAX(5)", 0, 14}, Case{"MAX(5,7)", 7, 0},
        Case{"LENGTH('abc)", 0, 34}, Case{"1 | 0 & 0", 1, 0}, Case{"0 & 1 | 1", 0, 0},
        Case{"2 & 1", 0, 13}, Case{")(", 0, 2}, Case{"(1<2 & 0)", 0, 3}, Case{"1 ? 2", 0, 2},
        Case{"2*(3", 0, 3}, Case{"IF(0>0, LN(0), 1)", 0, 7}, Case{"IF(1>0, 10, 20) + 1", 11, 0},
        Case{"1E4000", 0, 11}, Case{"1E300*1", 0, 11}));

// Any text, however broken, ends in a value or a code.
INSTANTIATE_TEST_SUITE_P(Hostile, EvaluateTable,
                         ::testing::Values(Case{"'", 0, 2}, Case{"LENGTH(\")", 0, 34},
                                           Case{"STRCOMP('a'", 0, 3}, Case{"\x01\xff", 0, 2},
                                           Case{"SIN(", 0, 3}, Case{"1E999999999999", 0, 1},
                                           Case{"1\t+1", 0, 2}));

TEST(EvaluateDepth, DeepNestingIsRefusedNotOverflowingTheStack) {
    struct {
        std::string Text;
        int Code;
    } cases[] = {
        {std::string(5000, '(') + "1" + std::string(5000, ')'), fpNestingTooDeep},
        {std::string(100000, '-') + "1", fpNestingTooDeep},
        {[] {
             std::string s;
             for (int i = 0; i < 3000; ++i)
                 s += "1&";
             return s + "1";
         }(),
         fpNestingTooDeep},
        {[] {
             std::string s;
             for (int i = 0; i < 3000; ++i)
                 s += "ABS(";
             return s + "1" + std::string(3000, ')');
         }(),
         fpNestingTooDeep},
        {std::string(100, '(') + "2" + std::string(100, ')'), 0},
    };
    for (const auto& c : cases) {
        TFormulaParser parser;
        parser.Evaluate(c.Text);
        EXPECT_EQ(parser.ErrorCode(), c.Code) << c.Text.substr(0, 20);
    }
}

TEST(ParserState, ErrorOfOneEvaluationDoesNotLeakIntoTheNext) {
    TFormulaParser parser;
    parser.Evaluate("5/0");
    EXPECT_EQ(parser.ErrorCode(), fpDivisionByZero);
    EXPECT_EQ(parser.Evaluate("2*3"), 6);
    EXPECT_EQ(parser.ErrorCode(), 0);
    parser.SetError(fpDivisionByZero);
    parser.SetError(fpLogDomain);
    EXPECT_EQ(parser.ErrorCode(), fpDivisionByZero);
}

TEST(ParserState, FormulaAndCalculate) {
    TFormulaParser parser;
    EXPECT_EQ(parser.Formula(), "0");
    parser.SetError(fpDivisionByZero);
    parser.SetFormula("1+1");
    EXPECT_EQ(parser.ErrorCode(), 0);
    EXPECT_EQ(parser.Calculate(), 2);
}

TEST(Registry, MessagesAndBuiltinsAreRegistered) {
    TFormulaParser parser;
    const auto& msgs = parser.Messages();
    ASSERT_GE(msgs.size(), 37u);
    EXPECT_EQ(msgs[0], "0=结果正确");
    EXPECT_EQ(msgs[36], "39=未发现对象!");
    EXPECT_EQ(parser.MessageOf(36), "条件表达式值应为\"是\"或\"否\"");
    EXPECT_EQ(parser.MessageOf(15), "");
    const auto fns = parser.Functions();
    ASSERT_EQ(fns.size(), 52u);
    EXPECT_EQ(fns.front(), "ARCTAN=1");
    EXPECT_EQ(fns[3], "PI=0");
    EXPECT_EQ(fns.back(), "IF=3");
    EXPECT_EQ(MessageOf(3), QStringLiteral("( ) 不匹配"));
    EXPECT_EQ(MessageOf(40), QStringLiteral("公式太长"));
    EXPECT_TRUE(MessageOf(16).isEmpty());
}

TEST(Registry, SetMessageReplacesOrAppends) {
    TFormulaParser parser;
    const auto before = parser.Messages().size();
    parser.SetMessage(9, "division");
    parser.SetMessage(99, "new");
    EXPECT_EQ(parser.Messages().size(), before + 1);
    EXPECT_EQ(parser.MessageOf(9), "division");
    EXPECT_EQ(parser.Messages().back(), "99=new");
}

struct Owner : TFpOwner {
    std::map<std::string, std::string> texts;
    TFpHandler FindHandler(std::string_view name) const override {
        if (name == "mTWICE")
            return [](TFormulaParser&, const TFpArgs& a) { return 2 * a.Numbers[0]; };
        if (name == "mCAT")
            return [](TFormulaParser&, const TFpArgs& a) {
                return static_cast<long double>(a.Texts.size() * 100 + a.Texts[0].size());
            };
        return nullptr;
    }
    bool NamedFloat(std::string_view name, long double& v) const override {
        if (name != "mHALF") return false;
        v = 0.5L;
        return true;
    }
    bool NamedInt(std::string_view name, long long& v) const override {
        if (name != "mSEVEN") return false;
        v = 7;
        return true;
    }
    bool NamedBool(std::string_view name, bool& v) const override {
        if (name != "mYES") return false;
        v = true;
        return true;
    }
    bool NamedText(std::string_view name, std::string& v) const override {
        auto it = texts.find(std::string(name));
        if (it == texts.end()) return false;
        v = it->second;
        return true;
    }
};

TEST(Registry, FunctionsOfOtherOwnersByKind) {
    Owner owner;
    owner.texts["mINNER"] = "HALF*4 + 1";
    owner.texts["mLOOP"] = "LOOP+1";
    owner.texts["mBROKEN"] = "(1";
    TFormulaParser parser;
    parser.AddFunction(&owner, "twice", fkOneArg);
    parser.AddFunction(&owner, "cat", fkTextList);
    parser.AddFunction(&owner, "half", fkOwnerFloat);
    parser.AddFunction(&owner, "seven", fkOwnerInt);
    parser.AddFunction(&owner, "yes", fkOwnerBool);
    parser.AddFunction(&owner, "inner", fkOwnerText);
    parser.AddFunction(&owner, "loop", fkOwnerText);
    parser.AddFunction(&owner, "broken", fkOwnerText);
    parser.AddFunction(&owner, "missing", fkOwnerFloat);
    parser.AddFunction(&owner, "nohandler", fkNoArgs);
    parser.AddFunction(nullptr, "orphan", fkNoArgs);
    ASSERT_EQ(parser.ErrorCode(), 0);
    struct {
        const char* Text;
        long double Value;
        int Code;
    } cases[] = {
        {"TWICE(3)", 6, 0},   {"CAT('ab', 'c')", 202, 0},
        {"CAT('ab')", 0, 14}, {"HALF + SEVEN", 7.5L, 0},
        {"YES", 1, 0},        {"INNER*2", 6, 0},
        {"LOOP", 0, 42},      {"BROKEN", 0, 3},
        {"MISSING", 0, 38},   {"NOHANDLER", 0, 38},
        {"ORPHAN", 0, 39},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parser.Evaluate(c.Text), c.Value) << c.Text;
        EXPECT_EQ(parser.ErrorCode(), c.Code) << c.Text;
    }
}

TEST(Registry, AddFunctionNameRules) {
    struct {
        const char* Name;
        int Code;
    } cases[] = {{"sin", fpFunctionExists},  {"Pi", fpFunctionExists},  {"1ABC", fpBadFunctionName},
                 {"A-B", fpBadFunctionName}, {"_X", fpBadFunctionName}, {"NEW_1", 0}};
    for (const auto& c : cases) {
        TFormulaParser parser;
        const auto before = parser.Functions().size();
        parser.AddFunction(nullptr, c.Name, fkNoArgs);
        EXPECT_EQ(parser.ErrorCode(), c.Code) << c.Name;
        // A refused duplicate is not added; a bad name still is.
        EXPECT_EQ(parser.Functions().size(), before + (c.Code == fpFunctionExists ? 0 : 1));
        parser.Evaluate("1");
        EXPECT_EQ(parser.ErrorCode(), 0);
    }
}

TEST(Variables, LookedUpBeforeFunctionsNewestFirstExactName) {
    TFormulaParser parser;
    parser.AddRealVariable("PI", 3);
    parser.AddRealVariable("PI", 4);
    parser.AddBoolVariable("OK", true);
    parser.AddRealVariable("x", 9);
    EXPECT_EQ(parser.Evaluate("PI + OK"), 5);
    parser.Evaluate("x");
    EXPECT_EQ(parser.ErrorCode(), fpNoSuchFunction); // read as X
    parser.ClearVariables();
    ExpectValue(kPi, parser.Evaluate("PI"));
}

// A plain table: rows of name and value, compared without regard to case.
struct Table : TFpValueTable {
    std::vector<std::pair<std::string, std::string>> rows;
    int added = 0;
    static bool Same(const std::string& a, const std::string& b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::toupper(static_cast<unsigned char>(x)) ==
                          std::toupper(static_cast<unsigned char>(y));
               });
    }
    bool FpHasName(const std::string& n) const override {
        for (auto& r : rows)
            if (Same(r.first, n)) return true;
        return false;
    }
    std::string FpGetValue(const std::string& n) const override {
        for (auto& r : rows)
            if (Same(r.first, n)) return r.second;
        return {};
    }
    void FpAddName(const std::string& n) override {
        rows.emplace_back(n, "");
        ++added;
    }
};

struct BoundCase {
    const char* Text;
    long double Value;
    int Code;
    int Added; // rows added to the table
};

void PrintTo(const BoundCase& c, std::ostream* os) {
    *os << '"' << c.Text << '"';
}

class BoundTable : public ::testing::TestWithParam<BoundCase> {};

TEST_P(BoundTable, SubstitutesLoneLetters) {
    const BoundCase& c = GetParam();
    Table table;
    table.rows = {{"t", "20"}, {"p", "100"}, {"n", "-5"}, {"b", " 3 "}, {"f", "2+3"}, {"z", ""}};
    const auto rowsBefore = table.rows.size();
    TFormulaParser parser;
    const long double v = parser.EvaluateWithValues(c.Text, &table);
    EXPECT_EQ(parser.ErrorCode(), c.Code);
    ExpectValue(c.Value, v);
    EXPECT_EQ(table.added, c.Added);
    EXPECT_EQ(table.rows.size(), rowsBefore + static_cast<std::size_t>(c.Added));
}

INSTANTIATE_TEST_SUITE_P(
    Substitution, BoundTable,
    ::testing::Values(
        BoundCase{"t+1", 21, 0, 0}, BoundCase{"T*P", 2000, 0, 0}, BoundCase{"2*x", 0, 2, 1},
        BoundCase{"1+2", 3, 0, 0}, BoundCase{"n^2", 25, 0, 0}, BoundCase{"2*n", -10, 0, 0},
        BoundCase{"b*2", 6, 0, 0}, BoundCase{"f*2", 8, 0, 0}, BoundCase{"z+1", 1, 0, 0},
        BoundCase{"1e3+t", 1020, 0, 0}, BoundCase{"sqrt(t*5)", 10, 0, 0},
        BoundCase{"exp(t/t)", std::exp(1.0L), 0, 0}, BoundCase{"E", 0, 6, 1},
        BoundCase{"t_1", 0, 2, 0}, BoundCase{"", 0, 6, 0}, BoundCase{"(t<p) & (p>t)", 1, 0, 0},
        // An exponent after a digit and "." is not a variable, as in plain
        // evaluation; nor are the letters of a quoted text argument.
        BoundCase{"1.E3", 1000, 0, 0}, BoundCase{"2.e-1*t", 4, 0, 0},
        BoundCase{"LENGTH('a b')", 2, 0, 0}, BoundCase{"LENGTH(\"t x\")+t", 22, 0, 0},
        BoundCase{"STRCOMP('ab', 'A B')*t", 20, 0, 0}, BoundCase{"LENGTH('abc)", 0, 34, 0}));

TEST(Bound, LimitsAreRefusedNotCut) {
    Table table;
    table.rows = {{"t", "20"}, {"l", std::string(200, '1')}};
    struct {
        std::string Text;
        int Code;
    } cases[] = {
        {"1+" + std::string(253, '0'), 0},
        {"1+" + std::string(254, '0'), fpTextTooLong},
        {[] {
             std::string s = "t";
             for (int i = 0; i < 100; ++i)
                 s += "+t";
             return s;
         }(),
         fpTooManyVariables},
        {[] {
             std::string s = "t";
             for (int i = 0; i < 99; ++i)
                 s += "+t";
             return s;
         }(),
         0},
        {"l+l+l+l+l+l+l+l+l+l+l+l+l+l+l+l+l+l+l+l+l", fpTextTooLong},
    };
    for (const auto& c : cases) {
        TFormulaParser parser;
        parser.EvaluateWithValues(c.Text, &table);
        EXPECT_EQ(parser.ErrorCode(), c.Code) << c.Text.size();
    }
    // Without a table nothing is scanned and a long text is read as it stands.
    int code = -1;
    EXPECT_EQ(EvaluateWithValues("1+" + std::string(300, '0'), nullptr, code), 1);
    EXPECT_EQ(code, 0);
}

TEST(Bound, ConstantLeavesTheTableAsItIs) {
    Table table;
    table.rows = {{"t", "20"}, {"p", "100"}};
    int code = -1;
    EXPECT_EQ(EvaluateWithValues(std::string("2*2090"), &table, code), 4180);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(EvaluateWithValues(std::string(""), &table, code), 0);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.FpGetValue("t"), "20");
    EXPECT_EQ(table.FpGetValue("p"), "100");
}

} // namespace
