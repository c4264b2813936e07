// The plausibility rules of the case's inputs, as plain functions of SI values.
#include "app/Plausibility.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tubalon::plausibility;

TEST(Plausibility, FieldsHaveTheirRules) {
    const struct {
        const char* field;
        Rule rule;
    } cases[] = {
        {"TaD", Rule::Temperature}, {"Tr1D", Rule::Temperature}, {"Tt2D", Rule::Temperature},
        {"SlD", Rule::Length},      {"dooD", Rule::Length},      {"diiD", Rule::Length},
        {"BpD", Rule::Thickness},   {"ErD", Rule::Roughness},    {"EtD", Rule::Roughness},
        {"RsD", Rule::Fouling},     {"RtD", Rule::Fouling},      {"mD", Rule::Passes},
        {"WrD", Rule::None},        {"TwD", Rule::None},         {"tad", Rule::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RuleOf(QString::fromLatin1(c.field)), c.rule) << c.field;
}

TEST(Plausibility, RefusesTheImpossibleAndWarnsOfTheUnusual) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        Rule rule;
        double value;
        double radius;
        Verdict verdict;
        const char* reason;
    } cases[] = {
        {Rule::Temperature, -300, nan, Verdict::Refuse, "等于或低于绝对零度（-273.15 °C）"},
        {Rule::Temperature, -273.15, nan, Verdict::Refuse, "等于或低于绝对零度（-273.15 °C）"},
        {Rule::Temperature, -273.14, nan, Verdict::Ok, ""},
        {Rule::Temperature, 1500, nan, Verdict::Ok, ""},
        {Rule::Length, 1e-300, nan, Verdict::Refuse, "小于 1 µm"},
        {Rule::Length, 0, nan, Verdict::Refuse, "小于 1 µm"},
        {Rule::Length, 1e-6, nan, Verdict::Ok, ""},
        {Rule::Length, 1e4, nan, Verdict::Ok, ""},
        {Rule::Length, 1.0001e4, nan, Verdict::Refuse, "大于 10 km"},
        {Rule::Length, -2, nan, Verdict::Refuse, "不能为负数"},
        {Rule::Length, inf, nan, Verdict::Refuse, "不是有限的数"},
        {Rule::Thickness, 0, nan, Verdict::Ok, ""},
        {Rule::Thickness, 1e-9, nan, Verdict::Refuse, "小于 1 µm（没有保温层时填 0）"},
        {Rule::Thickness, 0.05, nan, Verdict::Ok, ""},
        {Rule::Roughness, 0, 0.025, Verdict::Ok, ""},
        {Rule::Roughness, 0.0002, 0.025, Verdict::Ok, ""},
        {Rule::Roughness, 0.03, 0.025, Verdict::Warn, "大于管子的半径（25 mm）"},
        {Rule::Roughness, 0.03, nan, Verdict::Ok, ""}, // diameters not known yet
        {Rule::Roughness, -1e-4, 0.025, Verdict::Refuse, "不能为负数"},
        {Rule::Roughness, 2e4, nan, Verdict::Refuse, "大于 10 km"},
        {Rule::Fouling, 0.0002, nan, Verdict::Ok, ""},
        {Rule::Fouling, 0.1, nan, Verdict::Ok, ""},
        {Rule::Fouling, 1e10, nan, Verdict::Warn, "大于 0.1 m²·K/W，远超过常见的污垢热阻"},
        {Rule::Fouling, -0.001, nan, Verdict::Refuse, "不能为负数"},
        {Rule::Passes, 4, nan, Verdict::Ok, ""},
        {Rule::Passes, 10000, nan, Verdict::Ok, ""},
        {Rule::Passes, 1.8e301, nan, Verdict::Refuse, "超过 10000"},
        {Rule::Passes, 0, nan, Verdict::Refuse, "必须大于 0"},
        {Rule::None, -1e300, nan, Verdict::Ok, ""},
    };
    for (const auto& c : cases) {
        const Finding f = Check(c.rule, c.value, c.radius);
        EXPECT_EQ(f.verdict, c.verdict) << int(c.rule) << " " << c.value;
        EXPECT_EQ(f.reason.toStdString(), c.reason) << int(c.rule) << " " << c.value;
    }
}
