#include "units/UnitLists.h"

#include "units/NumberFormat.h"

#include <QLocale>
#include <utility>
#include <vector>

namespace tubalon {

QString UnitItem(const QString& unit, int barColumn, const QString& factor) {
    return PadToBytes(unit, barColumn - 1) + QChar('|') + factor;
}

namespace {

// Factors from the definitions of the units (NIST Special Publication 811, 2008 edition,
// Appendix B.8-B.9): the international table calorie is exactly 4.1868 J, the
// kilogram-force exactly 9.80665 N (standard gravity), the hour 3600 s.
constexpr double kCalorie = 4.1868; // J
constexpr double kKcal = 1000 * kCalorie;
constexpr double kHour = 3600;   // s
constexpr double kKgf = 9.80665; // N

// The shortest text that reads back as the same double.
QString FactorText(double factor) {
    return QString::number(factor, 'g', QLocale::FloatingPointShortest);
}

QStringList Make(int column, std::initializer_list<std::pair<const char*, double>> items) {
    QStringList out;
    for (const auto& [u, f] : items)
        out << UnitItem(QString::fromUtf8(u), column, FactorText(f));
    return out;
}
} // namespace

QStringList UnitItems(UnitKind kind) {
    switch (kind) {
    case UnitKind::Length:
        return Make(36, {{"m", 1}, {"dm", 0.1}, {"cm", 0.01}, {"mm", 0.001}});
    case UnitKind::Velocity:
        return Make(38, {{"m/s", 1}, {"dm/s", 0.1}, {"cm/s", 0.01}, {"mm/", 0.001}});
    case UnitKind::Coefficient:
        return Make(43, {{"W/(m2.K)", 1},
                         {"J/(m2.S.K)", 1},
                         {"kW/(m2.K)", 1000},
                         {"kJ/(m2.K.S)", 1000},
                         {"kcal/(m2.K.S)", kKcal},
                         {"kcal/(m2.K.h)", kKcal / kHour}});
    case UnitKind::Fouling:
        return Make(38, {{"m2.K/W", 1},
                         {"m2.K/kW", 0.001},
                         {"m2.K.S/cal", 1 / kCalorie},
                         {"m2.K.S/kcal", 1 / kKcal},
                         {"m2.K.h/kcal", kHour / kKcal}});
    case UnitKind::Pressure:
        return Make(41, {{"N/m2", 1},
                         {"Pa", 1},
                         {"kN/m2", 1000},
                         {"kPa", 1000},
                         {"kg/cm2", kKgf * 1e4},
                         {"MPa", 1e6}});
    case UnitKind::Temperature:
        return Make(35, {{"C", 1}});
    case UnitKind::Passes:
        return Make(38, {{"程/圈", 1}});
    case UnitKind::Pitch:
        return Make(42, {{"倍外管径", 1}});
    case UnitKind::MassFlow:
        return Make(35, {{"kg/s", 1}, {"kg/h", 1 / kHour}, {"t/h", 1000 / kHour}});
    case UnitKind::SpecificHeat:
        return Make(42, {{"J/(kg.K)", 1},
                         {"kJ/(kg.K)", 1000},
                         {"kcal/kg.K", kKcal},
                         {"Mkcal/kg.K", 1e6 * kKcal}});
    case UnitKind::HeatFlow:
        return Make(38, {{"W", 1},
                         {"J/s", 1},
                         {"kW", 1000},
                         {"kJ/h", 1000 / kHour},
                         {"kcal/h", kKcal / kHour},
                         {"Mkcal/h", 1e6 * kKcal / kHour}});
    case UnitKind::Viscosity:
        return Make(41, {{"N.S/m2", 1}, {"Pa.S", 1}, {"cP", 0.001}});
    case UnitKind::Conductivity:
        return Make(42, {{"W/(m.K)", 1},
                         {"kW/(m.K)", 1000},
                         {"kJ/(m.K.S)", 1000},
                         {"kcal/(m.K.S)", kKcal},
                         {"kcal/(m.K.h)", kKcal / kHour}});
    case UnitKind::Density:
        return Make(41, {{"kg/m3", 1}, {"t/m3", 1000}});
    case UnitKind::LatentHeat:
        return Make(41, {{"J/kg", 1}, {"kJ/kg", 1000}, {"kcal/kg", kKcal}});
    case UnitKind::Time:
        return Make(36, {{"S", 1}, {"min", 60}, {"h", kHour}});
    case UnitKind::Area:
        return Make(37, {{"m2", 1}, {"dm2", 0.01}, {"cm2", 1e-4}, {"mm2", 1e-6}});
    case UnitKind::Percent:
        return Make(35, {{"%", 1}});
    }
    return {};
}

} // namespace tubalon
