#include "app/Plausibility.h"

#include <cmath>
#include <utility>

namespace tubalon::plausibility {
namespace {

Finding Refuse(const QString& reason) {
    return {Verdict::Refuse, reason};
}

Finding Warn(const QString& reason) {
    return {Verdict::Warn, reason};
}

// Between 1 µm and 10 km; zero too when allowed (no insulation).
Finding CheckLength(double v, bool zeroAllowed) {
    if (v < 0) return Refuse(QStringLiteral("不能为负数"));
    if (zeroAllowed && v == 0) return {};
    if (v < kMinLength)
        return Refuse(zeroAllowed ? QStringLiteral("小于 1 µm（没有保温层时填 0）")
                                  : QStringLiteral("小于 1 µm"));
    if (v > kMaxLength) return Refuse(QStringLiteral("大于 10 km"));
    return {};
}

} // namespace

Rule RuleOf(QStringView field) {
    static const std::pair<const char16_t*, Rule> rules[] = {
        {u"Tr1D", Rule::Temperature}, {u"Tr2D", Rule::Temperature}, {u"Tt1D", Rule::Temperature},
        {u"Tt2D", Rule::Temperature}, {u"TaD", Rule::Temperature},  {u"SlD", Rule::Length},
        {u"dooD", Rule::Length},      {u"doiD", Rule::Length},      {u"dioD", Rule::Length},
        {u"diiD", Rule::Length},      {u"BpD", Rule::Thickness},    {u"ErD", Rule::Roughness},
        {u"EtD", Rule::Roughness},    {u"RsD", Rule::Fouling},      {u"RtD", Rule::Fouling},
        {u"mD", Rule::Passes},
    };
    for (const auto& [name, rule] : rules)
        if (field == QStringView(name)) return rule;
    return Rule::None;
}

Finding Check(Rule rule, double v, double radius) {
    if (rule != Rule::None && !std::isfinite(v)) return Refuse(QStringLiteral("不是有限的数"));
    switch (rule) {
    case Rule::Temperature:
        if (v <= kAbsoluteZero) return Refuse(QStringLiteral("等于或低于绝对零度（-273.15 °C）"));
        return {};
    case Rule::Length:
        return CheckLength(v, false);
    case Rule::Thickness:
        return CheckLength(v, true);
    case Rule::Roughness:
        if (v < 0) return Refuse(QStringLiteral("不能为负数"));
        if (v > kMaxLength) return Refuse(QStringLiteral("大于 10 km"));
        if (radius > 0 && v > radius)
            return Warn(QStringLiteral("大于管子的半径（%1 mm）")
                            .arg(QString::number(radius * 1000, 'g', 4)));
        return {};
    case Rule::Fouling:
        if (v < 0) return Refuse(QStringLiteral("不能为负数"));
        if (v > kMaxFouling) return Warn(QStringLiteral("大于 0.1 m²·K/W，远超过常见的污垢热阻"));
        return {};
    case Rule::Passes:
        if (!(v > 0)) return Refuse(QStringLiteral("必须大于 0"));
        if (v > kMaxPasses) return Refuse(QStringLiteral("超过 10000"));
        return {};
    case Rule::None:
        break;
    }
    return {};
}

} // namespace tubalon::plausibility
