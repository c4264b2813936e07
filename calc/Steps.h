// The steps of the calculation pass, each reading and writing the case's fields.
#pragma once

#include "calc/Driver.h"

namespace tubalon {

StepOutcome StepAutoPipes(Case& c, CalcState& s);          // 1
StepOutcome StepAnnulusSinglePhase(Case& c, CalcState& s); // 2
StepOutcome StepAnnulusCondensing(Case& c, CalcState& s);  // 3
StepOutcome StepInnerSinglePhase(Case& c, CalcState& s);   // 4
StepOutcome StepInnerCondensing(Case& c, CalcState& s);    // 5
StepOutcome StepInsulation(Case& c, CalcState& s);         // 6
StepOutcome StepBalanceCompletion(Case& c, CalcState& s);  // 7
StepOutcome StepDuties(Case& c, CalcState& s);             // 8
StepOutcome StepMeanTemperature(Case& c, CalcState& s);    // 9
StepOutcome StepOverallCoefficient(Case& c, CalcState& s); // 10
StepOutcome StepSizing(Case& c, CalcState& s);             // 11
StepOutcome StepHeatLoss(Case& c, CalcState& s);           // 12
StepOutcome StepPressureDrop(Case& c, CalcState& s);       // 13

// Conductivity of a material or insulation item "name   |value".
double ConductivityOf(const QComboBox* list);
// Text of a plain percentage field as a fraction; 0 when empty.
double ShareOf(const QLineEdit* edit);

} // namespace tubalon
