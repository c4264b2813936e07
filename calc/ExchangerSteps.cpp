// Steps 1 to 6 and 10 to 13: pipes, film coefficients, wall, sizing, pressure drop.
#include "calc/Steps.h"

#include "units/Tools2.h"

#include <QComboBox>

namespace tubalon {

double ConductivityOf(const QComboBox* list) {
    return ItemValue(list->currentText());
}

StepOutcome StepAutoPipes(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepAnnulusSinglePhase(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepAnnulusCondensing(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepInnerSinglePhase(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepInnerCondensing(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepInsulation(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepOverallCoefficient(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepSizing(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepHeatLoss(Case&, CalcState&) {
    return StepOutcome::Continue;
}
StepOutcome StepPressureDrop(Case&, CalcState&) {
    return StepOutcome::Continue;
}

} // namespace tubalon
