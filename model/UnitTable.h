// The unit lists of the case fields: each item a unit text and its factor to SI, in the
// order the selectors show them (a case file stores a selector's position only, so the
// order is part of the file format).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tubalon::model {

enum class UnitKind : std::uint8_t {
    Length,
    Velocity,
    Coefficient,
    Fouling,
    Pressure,
    Temperature,
    Passes,
    Pitch,
    MassFlow,
    SpecificHeat,
    HeatFlow,
    Viscosity,
    Conductivity,
    Density,
    LatentHeat,
    Time,
    Area,
    Percent,
    Count
};

struct UnitItem {
    std::string_view unit;   // as the user reads it
    std::string_view factor; // as written in the item, blanks included ("2.3883E-4 ")
    double value;            // the factor's number: SI value of one unit
};

struct UnitList {
    std::span<const UnitItem> items;
    int barColumn; // 1-based GBK byte column of the "|" in the selector's items
};

const UnitList& UnitsOf(UnitKind kind);

// The selector's item text: the unit padded with blanks to the bar column, "|", the factor.
std::string UnitItemText(UnitKind kind, int index);

// Bytes a UTF-8 text takes in GBK: a character outside ASCII counts two.
int GbkWidth(std::string_view utf8);

} // namespace tubalon::model
