#include "calc/Driver.h"

#include "calc/Steps.h"

namespace tubalon {

const std::vector<PassStep>& PassSteps() {
    static const std::vector<PassStep> steps = {
        {1, "automatic pipe choice", StepAutoPipes},
        {2, "annulus single-phase film", StepAnnulusSinglePhase},
        {3, "annulus condensing film", StepAnnulusCondensing},
        {4, "inner single-phase film", StepInnerSinglePhase},
        {5, "inner condensing film", StepInnerCondensing},
        {6, "insulation and outer wall", StepInsulation},
        {7, "heat-balance completion", StepBalanceCompletion},
        {8, "side duties", StepDuties},
        {9, "mean temperature difference", StepMeanTemperature},
        {10, "overall coefficient", StepOverallCoefficient},
        {11, "area, length, passes, margin", StepSizing},
        {12, "heat loss", StepHeatLoss},
        {13, "pressure drops", StepPressureDrop},
    };
    return steps;
}

CalcResult RunCalculation(Case& c, CalcState& s) {
    CalcResult r;
    s.k = 0;
    const auto& steps = PassSteps();
    while (r.passes < kMaxPasses) {
        ++r.passes;
        bool restart = false;
        for (const PassStep& step : steps) {
            const StepOutcome o = step.run(c, s);
            if (o == StepOutcome::Restart) {
                restart = true;
                break;
            }
            if (o == StepOutcome::EndCall) return r;
            if (o == StepOutcome::EndCallProgress) {
                r.progress = true;
                return r;
            }
        }
        if (!restart) {
            r.progress = true;
            return r;
        }
    }
    r.boundHit = true;
    r.progress = true;
    return r;
}

} // namespace tubalon
