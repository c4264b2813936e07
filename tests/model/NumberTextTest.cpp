#include "model/NumberText.h"
#include "model/UnitTable.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace tubalon::model;

namespace {

std::string Format(double v) {
    char buf[kFloat15Chars];
    return std::string(buf, FormatFloat15(v, buf));
}

TEST(FormatFloat15, PlainAndScientificForms) {
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {0, "0"},
        {1, "1"},
        {0.00027778, "0.00027778"},
        {1500, "1500"},
        {4187000000, "4187000000"},
        {1e-5, "1E-5"},
        {1.5e20, "1.5E20"},
        {-0.5, "-0.5"},
        {0.001, "0.001"},
        {0.0001, "0.0001"},
        {0.00001234, "1.234E-5"},
        {999999999999999, "999999999999999"},
        {1e14, "100000000000000"},
        {1e15, "1E15"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {0.41667 / 0.27778, "1.5"}, // 1.5 t/h read back in t/h
        {-1.23456789012345e-308, "-1.23456789012345E-308"},
        {1.7976931348623157e308, "1.79769313486232E308"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.v), c.text) << c.v;
}

TEST(FormatFloat15, LongestTextFits) {
    EXPECT_LE(Format(-1.23456789012345e-300).size(), kFloat15Chars);
    EXPECT_LE(Format(-0.000123456789012345).size(), kFloat15Chars);
}

TEST(ParseNumber, AcceptsOnlyWholeDecimalNumbers) {
    const struct {
        const char* text;
        bool ok;
        long double value;
    } cases[] = {
        {"12", true, 12},      {"-1.5", true, -1.5}, {"+3", true, 3},
        {"1.", true, 1},       {".5", true, 0.5},    {"2.5E-3", true, 0.0025L},
        {"1e+2", true, 100},   {"1E-5000", true, 0}, {"0", true, 0},
        {"", false, 0},        {" 12", false, 0},    {"12 ", false, 0},
        {"1,5", false, 0},     {"12a", false, 0},    {"6o", false, 0},
        {"1e", false, 0},      {"1e+", false, 0},    {".", false, 0},
        {"-", false, 0},       {"0x10", false, 0},   {"1e5000", false, 0},
        {"1.5e3.2", false, 0}, {"inf", false, 0},    {"nan", false, 0},
        {"１２", false, 0}, // full-width digits
    };
    for (const auto& c : cases) {
        long double v = -99;
        EXPECT_EQ(ParseNumber(c.text, v), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    long double v = 0;
    EXPECT_FALSE(ParseNumber(std::string(401, '1'), v));
    EXPECT_TRUE(ParseNumber(std::string(400, '1'), v));
}

// The short way for short decimals must give the library's correctly rounded value, bit for bit.
TEST(ParseNumber, ReadsAsTheLibraryDoes) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<int> digits(1, 21), exponent(-40, 40), point(0, 22);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int n = digits(rng);
        for (int k = 0; k < n; ++k)
            text += static_cast<char>('0' + rng() % 10);
        if (const int p = point(rng); p < n) text.insert(static_cast<std::size_t>(p), ".");
        if (i % 2) text += "e" + std::to_string(exponent(rng));
        if (i % 5 == 0) text = Format(std::ldexp(static_cast<double>(rng() >> 11), exponent(rng)));
        long double ours = 0, library = 0;
        ASSERT_TRUE(ParseNumber(text, ours)) << text;
        const auto r = std::from_chars(text.data(), text.data() + text.size(), library);
        ASSERT_EQ(r.ptr, text.data() + text.size()) << text;
        EXPECT_EQ(ours, library) << text;
    }
}

TEST(TrimBlanks, RemovesBlanksAndControlCharacters) {
    EXPECT_EQ(TrimBlanks(" \t12\r\n"), "12");
    EXPECT_EQ(TrimBlanks("  "), "");
    EXPECT_EQ(TrimBlanks("a b"), "a b");
    EXPECT_EQ(TrimBlanks(" 注释 "), "注释");
}

TEST(UnitTable, FactorsAreTheirTexts) {
    for (int k = 0; k < static_cast<int>(UnitKind::Count); ++k) {
        const auto kind = static_cast<UnitKind>(k);
        const UnitList& list = UnitsOf(kind);
        ASSERT_FALSE(list.items.empty());
        EXPECT_EQ(list.items[0].value, 1.0) << k; // item 0 is the SI unit
        for (std::size_t i = 0; i < list.items.size(); ++i) {
            long double n = 0;
            ASSERT_TRUE(ParseNumber(TrimBlanks(list.items[i].factor), n)) << list.items[i].unit;
            EXPECT_EQ(static_cast<double>(n), list.items[i].value) << list.items[i].unit;
            // The bar stands in the list's column: the unit text fits in front of it.
            const std::string item = UnitItemText(kind, static_cast<int>(i));
            EXPECT_EQ(GbkWidth(item.substr(0, item.find('|'))), list.barColumn - 1) << item;
        }
    }
    EXPECT_EQ(UnitItemText(UnitKind::Fouling, 3).substr(37), "|0.00023884589662749592");
    EXPECT_EQ(GbkWidth("程/圈"), 5);
}

} // namespace
