// The calculation call: passes over the steps of the case, restarts and early ends.
#pragma once

#include "calc/Case.h"

#include <functional>

namespace tubalon {

enum class StepOutcome {
    Continue,        // go on with the next step
    Restart,         // a result that earlier steps depend on changed: new pass
    EndCall,         // end the call without the progress display
    EndCallProgress, // end the call with the progress display
};

using StepFn = StepOutcome (*)(Case&, CalcState&);

struct PassStep {
    int number;
    const char* what;
    StepFn run;
};

// The steps of one pass, in order.
const std::vector<PassStep>& PassSteps();

constexpr int kMaxPasses = 200;

struct CalcResult {
    int passes = 0;
    bool progress = false; // the call ended with the progress display
    bool boundHit = false; // the pass bound was reached
};

// Runs one calculation call. Exceptions of the steps propagate; results written
// before them stay.
CalcResult RunCalculation(Case& c, CalcState& s);

} // namespace tubalon
