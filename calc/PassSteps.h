// The steps of the calculation pass, each reading and writing the case model.
#pragma once

#include "calc/Pass.h"

namespace tubalon::engine {

StepOutcome StepAutoPipes(Pass& p);          // 1
StepOutcome StepAnnulusSinglePhase(Pass& p); // 2
StepOutcome StepAnnulusCondensing(Pass& p);  // 3
StepOutcome StepInnerSinglePhase(Pass& p);   // 4
StepOutcome StepInnerCondensing(Pass& p);    // 5
StepOutcome StepInsulation(Pass& p);         // 6
StepOutcome StepBalanceCompletion(Pass& p);  // 7
StepOutcome StepDuties(Pass& p);             // 8
StepOutcome StepMeanTemperature(Pass& p);    // 9
StepOutcome StepOverallCoefficient(Pass& p); // 10
StepOutcome StepSizing(Pass& p);             // 11
StepOutcome StepHeatLoss(Pass& p);           // 12
StepOutcome StepPressureDrop(Pass& p);       // 13

} // namespace tubalon::engine
