#include "units/NumberFormat.h"
#include "units/Errors.h"

#include <gtest/gtest.h>

using namespace tubalon;

TEST(NumberFormat, FifteenDigitForm) {
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {0.00027778, "0.00027778"},
        {1500, "1500"},
        {4187000000.0, "4187000000"},
        {0, "0"},
        {1e-5, "1E-5"},
        {1.5e20, "1.5E20"},
        {-83600, "-83600"},
        {0.001, "0.001"},
        {0.0001, "0.0001"},
        {999999999999999.0, "999999999999999"},
        {1e15, "1E15"},
        {2.0 * 1000 / 4187, "0.477668975400048"},
        {1.0 / 3, "0.333333333333333"},
        {-2.5e-7, "-2.5E-7"},
        {123.456, "123.456"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat15(c.v).toStdString(), c.text) << c.v;
}

TEST(NumberFormat, SevenDigitForm) {
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {3.14159265358979, "3.141593"},
        {0.00012345678, "0.0001234568"},
        {1.0, "1"},
        {123456789, "1.234568E0008"},
        {1.5e-7, "1.5E-0007"},
        {1e10, "1E0010"},
        {0.5, "0.5"},
        {-12.3456789, "-12.34568"},
        {9999999.6, "1E0007"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat7(c.v).toStdString(), c.text) << c.v;
}

TEST(NumberFormat, Reading) {
    const struct {
        const char* text;
        bool ok;
        double v;
    } cases[] = {
        {"12", true, 12},
        {" 12 ", true, 12},
        {"-1.5e3", true, -1500},
        {"+2.", true, 2},
        {".5", true, 0.5},
        {"1.1631E+6", true, 1.1631e6},
        {"2.3883E-4 ", true, 2.3883e-4},
        {"1.0e6   ", true, 1e6},
        {"1,5", false, 0},
        {"12a", false, 0},
        {"", false, 0},
        {"   ", false, 0},
        {"e5", false, 0},
        {"1e", false, 0},
        {"1e999999", false, 0},
        {"1e-99999", true, 0},
        {"--1", false, 0},
        {".", false, 0},
    };
    for (const auto& c : cases) {
        if (c.ok)
            EXPECT_DOUBLE_EQ(StrToFloat(QString::fromUtf8(c.text)), c.v) << c.text;
        else
            EXPECT_THROW(StrToFloat(QString::fromUtf8(c.text)), EConvertError) << c.text;
    }
}

TEST(NumberFormat, ConversionMessageNamesTrimmedText) {
    try {
        StrToFloat(" 12a ");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("“12a” 不是有效的数字"));
    }
}

TEST(NumberFormat, GbkPadding) {
    EXPECT_EQ(GbkByteLength(QStringLiteral("低碳钢")), 6);
    EXPECT_EQ(PadToBytes(QStringLiteral("程/圈"), 37).size(),
              35); // 3 characters of 5 bytes, 32 blanks
}
