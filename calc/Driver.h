// The window's calculation call: the case's controls are read into the case model, the pass
// runs on the model, and what it changed is written back to the controls.
#pragma once

#include "calc/Case.h"

namespace tubalon {

using engine::CalcResult;
constexpr int kMaxPasses = engine::kMaxPassCount;

// The controls as the case model: texts, unit factors, provenance (from the colours),
// enabled and read-only states, choices, materials, the hot/cold texts and the shares.
void ReadCase(const Case& c, model::CaseData& d);
// The parameters the pass reads, from the store (the shipped defaults when it is null).
engine::PassSettings SettingsOf(const TParamStore* params);

// Runs one calculation call on the window's case (engine::RunPass). Whatever the pass changed
// is shown in the controls, also when it ended with an error, which then propagates.
CalcResult RunCalculation(Case& c, CalcState& s);

} // namespace tubalon
