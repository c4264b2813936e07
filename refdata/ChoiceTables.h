// Fixed choice tables: coil pitch, wall roughness, pipe and insulation materials.
#pragma once

#include <QStringList>

namespace tubalon {

QStringList PitchValues();
QStringList PitchNotes();
QStringList RoughnessValues(); // millimetres
QStringList RoughnessNotes();

// Items "name   |conductivity W/(m.K)", the bar after a fixed GBK byte column.
QStringList PipeMaterialItems();
QStringList InsulationItems();

} // namespace tubalon
