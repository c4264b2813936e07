#include "units/UnitLists.h"

#include "units/NumberFormat.h"

#include <utility>
#include <vector>

namespace tubalon {

QString UnitItem(const QString& unit, int barColumn, const QString& factor) {
    return PadToBytes(unit, barColumn - 1) + QChar('|') + factor;
}

namespace {
QStringList Make(int column, std::initializer_list<std::pair<const char*, const char*>> items) {
    QStringList out;
    for (const auto& [u, f] : items)
        out << UnitItem(QString::fromUtf8(u), column, QString::fromUtf8(f));
    return out;
}
} // namespace

QStringList UnitItems(UnitKind kind) {
    switch (kind) {
    case UnitKind::Length:
        return Make(36, {{"m", "1"}, {"dm", "0.1"}, {"cm", "0.01"}, {"mm", "0.001"}});
    case UnitKind::Velocity:
        return Make(38, {{"m/s", "1"}, {"dm/s", "0.1"}, {"cm/s", "0.01"}, {"mm/", "0.001"}});
    case UnitKind::Coefficient:
        return Make(43, {{"W/(m2.K)", "1"},
                         {"J/(m2.S.K)", "1"},
                         {"kW/(m2.K)", "1000"},
                         {"kJ/(m2.K.S)", "1000"},
                         {"kcal/(m2.K.S)", "4187"},
                         {"kcal/(m2.K.h)", "1.16306"}});
    case UnitKind::Fouling:
        return Make(38, {{"m2.K/W", "1"},
                         {"m2.K/kW", "0.001"},
                         {"m2.K.S/cal", "0.23883"},
                         {"m2.K.S/kcal", "2.3883E-4 "},
                         {"m2.K.h/kcal", "0.8598"}});
    case UnitKind::Pressure:
        return Make(41, {{"N/m2", "1"},
                         {"Pa", "1"},
                         {"kN/m2", "1000"},
                         {"kPa", "1000"},
                         {"kg/cm2", "98070"},
                         {"MPa", "1.0e6"}});
    case UnitKind::Temperature:
        return Make(35, {{"C", "1"}});
    case UnitKind::Passes:
        return Make(38, {{"程/圈", "1"}});
    case UnitKind::Pitch:
        return Make(42, {{"倍外管径", "1"}});
    case UnitKind::MassFlow:
        return Make(35, {{"kg/s", "1"}, {"kg/h", "2.7778E-4"}, {"t/h", "0.27778"}});
    case UnitKind::SpecificHeat:
        return Make(42, {{"J/(kg.K)", "1"},
                         {"kJ/(kg.K)", "1000"},
                         {"kcal/kg.K", "4187"},
                         {"Mkcal/kg.K", "4.187E9"}});
    case UnitKind::HeatFlow:
        return Make(38, {{"W", "1"},
                         {"J/s", "1"},
                         {"kW", "1000"},
                         {"kJ/h", "0.27778"},
                         {"kcal/h", "1.16306"},
                         {"Mkcal/h", "1.1631E+6"}});
    case UnitKind::Viscosity:
        return Make(41, {{"N.S/m2", "1"}, {"Pa.S", "1"}, {"cP", "0.001"}});
    case UnitKind::Conductivity:
        return Make(42, {{"W/(m.K)", "1"},
                         {"kW/(m.K)", "1000"},
                         {"kJ/(m.K.S)", "1000"},
                         {"kcal/(m.K.S)", "4187"},
                         {"kcal/(m.K.h)", "1.1630"}});
    case UnitKind::Density:
        return Make(41, {{"kg/m3", "1"}, {"t/m3", "1000"}});
    case UnitKind::LatentHeat:
        return Make(41, {{"J/kg", "1"}, {"kJ/kg", "1000"}, {"kcal/kg", "4186"}});
    case UnitKind::Time:
        return Make(36, {{"S", "1"}, {"min", "60"}, {"h", "3600"}});
    case UnitKind::Area:
        return Make(37, {{"m2", "1"}, {"dm2", "0.01"}, {"cm2", "1.0E-4"}, {"mm2", "1.0E-6"}});
    case UnitKind::Percent:
        return Make(35, {{"%", "1"}});
    }
    return {};
}

} // namespace tubalon
