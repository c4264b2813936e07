#include "model/UnitTable.h"

#include <array>

namespace tubalon::model {
namespace {

// Factors from the definitions of the units, as units/UnitLists writes them (NIST SP 811,
// 2008, B.8-B.9: calorie (IT) 4.1868 J, kilogram-force 9.80665 N, hour 3600 s).
constexpr UnitItem kLength[] = {
    {"m", "1", 1}, {"dm", "0.1", 0.1}, {"cm", "0.01", 0.01}, {"mm", "0.001", 0.001}};
constexpr UnitItem kVelocity[] = {
    {"m/s", "1", 1}, {"dm/s", "0.1", 0.1}, {"cm/s", "0.01", 0.01}, {"mm/", "0.001", 0.001}};
constexpr UnitItem kCoefficient[] = {{"W/(m2.K)", "1", 1},
                                     {"J/(m2.S.K)", "1", 1},
                                     {"kW/(m2.K)", "1000", 1000},
                                     {"kJ/(m2.K.S)", "1000", 1000},
                                     {"kcal/(m2.K.S)", "4186.8", 4186.8},
                                     {"kcal/(m2.K.h)", "1.163", 4186.8 / 3600}};
constexpr UnitItem kFouling[] = {{"m2.K/W", "1", 1},
                                 {"m2.K/kW", "0.001", 0.001},
                                 {"m2.K.S/cal", "0.23884589662749595", 1 / 4.1868},
                                 {"m2.K.S/kcal", "0.00023884589662749592", 1 / 4186.8},
                                 {"m2.K.h/kcal", "0.8598452278589853", 3600 / 4186.8}};
constexpr UnitItem kPressure[] = {{"N/m2", "1", 1},
                                  {"Pa", "1", 1},
                                  {"kN/m2", "1000", 1000},
                                  {"kPa", "1000", 1000},
                                  {"kg/cm2", "98066.5", 9.80665 * 1e4},
                                  {"MPa", "1e+06", 1e6}};
constexpr UnitItem kTemperature[] = {{"C", "1", 1}};
constexpr UnitItem kPasses[] = {{"程/圈", "1", 1}};
constexpr UnitItem kPitch[] = {{"倍外管径", "1", 1}};
constexpr UnitItem kMassFlow[] = {{"kg/s", "1", 1},
                                  {"kg/h", "0.0002777777777777778", 1 / 3600.0},
                                  {"t/h", "0.2777777777777778", 1000 / 3600.0}};
constexpr UnitItem kSpecificHeat[] = {{"J/(kg.K)", "1", 1},
                                      {"kJ/(kg.K)", "1000", 1000},
                                      {"kcal/kg.K", "4186.8", 4186.8},
                                      {"Mkcal/kg.K", "4186800000", 1e6 * 4186.8}};
constexpr UnitItem kHeatFlow[] = {{"W", "1", 1},
                                  {"J/s", "1", 1},
                                  {"kW", "1000", 1000},
                                  {"kJ/h", "0.2777777777777778", 1000 / 3600.0},
                                  {"kcal/h", "1.163", 4186.8 / 3600},
                                  {"Mkcal/h", "1163000", 1e6 * 4186.8 / 3600}};
constexpr UnitItem kViscosity[] = {{"N.S/m2", "1", 1}, {"Pa.S", "1", 1}, {"cP", "0.001", 0.001}};
constexpr UnitItem kConductivity[] = {{"W/(m.K)", "1", 1},
                                      {"kW/(m.K)", "1000", 1000},
                                      {"kJ/(m.K.S)", "1000", 1000},
                                      {"kcal/(m.K.S)", "4186.8", 4186.8},
                                      {"kcal/(m.K.h)", "1.163", 4186.8 / 3600}};
constexpr UnitItem kDensity[] = {{"kg/m3", "1", 1}, {"t/m3", "1000", 1000}};
constexpr UnitItem kLatentHeat[] = {
    {"J/kg", "1", 1}, {"kJ/kg", "1000", 1000}, {"kcal/kg", "4186.8", 4186.8}};
constexpr UnitItem kTime[] = {{"S", "1", 1}, {"min", "60", 60}, {"h", "3600", 3600}};
constexpr UnitItem kArea[] = {
    {"m2", "1", 1}, {"dm2", "0.01", 0.01}, {"cm2", "1e-04", 1e-4}, {"mm2", "1e-06", 1e-6}};
constexpr UnitItem kPercent[] = {{"%", "1", 1}};

// In the order of UnitKind.
const std::array<UnitList, static_cast<std::size_t>(UnitKind::Count)> kLists = {{
    {kLength, 36},
    {kVelocity, 38},
    {kCoefficient, 43},
    {kFouling, 38},
    {kPressure, 41},
    {kTemperature, 35},
    {kPasses, 38},
    {kPitch, 42},
    {kMassFlow, 35},
    {kSpecificHeat, 42},
    {kHeatFlow, 38},
    {kViscosity, 41},
    {kConductivity, 42},
    {kDensity, 41},
    {kLatentHeat, 41},
    {kTime, 36},
    {kArea, 37},
    {kPercent, 35},
}};

} // namespace

const UnitList& UnitsOf(UnitKind kind) {
    return kLists[static_cast<std::size_t>(kind)];
}

int GbkWidth(std::string_view utf8) {
    int n = 0;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            n += 1;
        else if ((b & 0xC0) != 0x80)
            n += 2; // the lead byte of a character outside ASCII
    }
    return n;
}

std::string UnitItemText(UnitKind kind, int index) {
    const UnitList& list = UnitsOf(kind);
    const UnitItem& item = list.items[static_cast<std::size_t>(index)];
    std::string s(item.unit);
    const int pad = list.barColumn - 1 - GbkWidth(item.unit);
    if (pad > 0) s.append(static_cast<std::size_t>(pad), ' ');
    s += '|';
    s += item.factor;
    return s;
}

} // namespace tubalon::model
