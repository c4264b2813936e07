// The unit lists of the main window's selectors.
#pragma once

#include <QString>
#include <QStringList>

namespace tubalon {

enum class UnitKind {
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
    Percent
};

// Items "unit   |factor" with the bar in the list's own column.
QStringList UnitItems(UnitKind kind);

// Builds one item: the unit text padded with blanks so that "|" stands in the given
// (1-based) column, then the factor text.
QString UnitItem(const QString& unit, int barColumn, const QString& factor);

} // namespace tubalon
