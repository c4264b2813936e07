#include "model/UnitTable.h"

#include <array>

namespace tubalon::model {
namespace {

// Factors as the lists carry them, not recomputed: "4187" for kcal/kg.K beside "4186" for
// kcal/kg, "1.16306" for kcal/(m2.K.h) beside "1.1630" for kcal/(m.K.h).
constexpr UnitItem kLength[] = {
    {"m", "1", 1}, {"dm", "0.1", 0.1}, {"cm", "0.01", 0.01}, {"mm", "0.001", 0.001}};
constexpr UnitItem kVelocity[] = {
    {"m/s", "1", 1}, {"dm/s", "0.1", 0.1}, {"cm/s", "0.01", 0.01}, {"mm/", "0.001", 0.001}};
constexpr UnitItem kCoefficient[] = {{"W/(m2.K)", "1", 1},
                                     {"J/(m2.S.K)", "1", 1},
                                     {"kW/(m2.K)", "1000", 1000},
                                     {"kJ/(m2.K.S)", "1000", 1000},
                                     {"kcal/(m2.K.S)", "4187", 4187},
                                     {"kcal/(m2.K.h)", "1.16306", 1.16306}};
constexpr UnitItem kFouling[] = {{"m2.K/W", "1", 1},
                                 {"m2.K/kW", "0.001", 0.001},
                                 {"m2.K.S/cal", "0.23883", 0.23883},
                                 {"m2.K.S/kcal", "2.3883E-4 ", 2.3883E-4},
                                 {"m2.K.h/kcal", "0.8598", 0.8598}};
constexpr UnitItem kPressure[] = {{"N/m2", "1", 1},           {"Pa", "1", 1},
                                  {"kN/m2", "1000", 1000},    {"kPa", "1000", 1000},
                                  {"kg/cm2", "98070", 98070}, {"MPa", "1.0e6", 1.0e6}};
constexpr UnitItem kTemperature[] = {{"C", "1", 1}};
constexpr UnitItem kPasses[] = {{"程/圈", "1", 1}};
constexpr UnitItem kPitch[] = {{"倍外管径", "1", 1}};
constexpr UnitItem kMassFlow[] = {
    {"kg/s", "1", 1}, {"kg/h", "2.7778E-4", 2.7778E-4}, {"t/h", "0.27778", 0.27778}};
constexpr UnitItem kSpecificHeat[] = {{"J/(kg.K)", "1", 1},
                                      {"kJ/(kg.K)", "1000", 1000},
                                      {"kcal/kg.K", "4187", 4187},
                                      {"Mkcal/kg.K", "4.187E9", 4.187E9}};
constexpr UnitItem kHeatFlow[] = {{"W", "1", 1},
                                  {"J/s", "1", 1},
                                  {"kW", "1000", 1000},
                                  {"kJ/h", "0.27778", 0.27778},
                                  {"kcal/h", "1.16306", 1.16306},
                                  {"Mkcal/h", "1.1631E+6", 1.1631E+6}};
constexpr UnitItem kViscosity[] = {{"N.S/m2", "1", 1}, {"Pa.S", "1", 1}, {"cP", "0.001", 0.001}};
constexpr UnitItem kConductivity[] = {{"W/(m.K)", "1", 1},
                                      {"kW/(m.K)", "1000", 1000},
                                      {"kJ/(m.K.S)", "1000", 1000},
                                      {"kcal/(m.K.S)", "4187", 4187},
                                      {"kcal/(m.K.h)", "1.1630", 1.1630}};
constexpr UnitItem kDensity[] = {{"kg/m3", "1", 1}, {"t/m3", "1000", 1000}};
constexpr UnitItem kLatentHeat[] = {
    {"J/kg", "1", 1}, {"kJ/kg", "1000", 1000}, {"kcal/kg", "4186", 4186}};
constexpr UnitItem kTime[] = {{"S", "1", 1}, {"min", "60", 60}, {"h", "3600", 3600}};
constexpr UnitItem kArea[] = {
    {"m2", "1", 1}, {"dm2", "0.01", 0.01}, {"cm2", "1.0E-4", 1.0E-4}, {"mm2", "1.0E-6", 1.0E-6}};
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
