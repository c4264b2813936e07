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
    bool complete = false; // every step that applies to the case ran in the last pass
};

// Runs one calculation call. It ends by emptying every computed or solved field its last
// pass did not confirm (a solved field becomes an empty input again); s.incomplete tells why
// a call did not complete. Exceptions of the steps propagate after that.
CalcResult RunCalculation(Case& c, CalcState& s);

// For the steps: writes a result as SetComputed does and counts it confirmed by the pass.
TEditD* WriteResult(CalcState& s, TEditD* field, int color, double tolerance, double v);
// A result left as it stands (still valid) counts confirmed by the pass.
void Confirm(CalcState& s, const TEditD* field);
// True when every field holds a text and, where it is a computed result, the pass confirmed
// it. Otherwise the first that does not is noted as what the pass lacked.
bool Need(CalcState& s, std::initializer_list<const TEditD*> fields);
// The same for optional inputs: nothing is noted.
bool Have(const CalcState& s, std::initializer_list<const TEditD*> fields);
// Notes why the pass cannot complete, unless an earlier step noted a reason.
void NoteLack(CalcState& s, const QString& why);

} // namespace tubalon
