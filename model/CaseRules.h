// The input rules of the case page as plain functions of CaseData: which fields the shape,
// the phases and the calculation type enable, which of them are results, what the length
// field is called, the clear command and the completeness shown on the status bar. Each
// rule does what the page does when the user picks the control it belongs to.
#pragma once

#include "model/CaseData.h"

#include <string>

namespace tubalon::model {

// Whether the rule's condition holds for the case now.
bool RuleHolds(const CaseData& d, EnableWhen when);

// The caption a field shows now: SlD's follows the shape and placement.
std::string_view CaptionOf(const CaseData& d, Field f);
// The manual's heading that help shows for a field: its caption and one blank.
std::string HelpHeading(const CaseData& d, Field f);

// Shape picked: the pitch only for the helical coil (an empty pitch becomes 1.5), the space
// time and the placement only for the kettle, and the length relabelled.
void ApplyShapeRule(CaseData& d);
// Placement picked: the kettle's length relabelled.
void ApplyPlacementRule(CaseData& d);
// Phase of a side picked: the latent heat, vapour density and viscosity, vapour velocity,
// non-condensable share (and, inside, vapour pressure) only while the side condenses. The
// vapour velocities that are on stay results.
void ApplyPhaseRule(CaseData& d, Side s);
// The annulus phase list clicked: every computed field is emptied and becomes an input;
// inputs and solved fields keep their values.
void ClearComputedFields(CaseData& d);
// Calculation type picked: in design the passes are a result and the automatic pipe choice is
// ticked and offered; in rating neither. A changed tick applies the automatic-pipes rule.
void ApplyModeRule(CaseData& d);
// Automatic pipes ticked or not: the four diameters are results or inputs.
void ApplyAutoPipesRule(CaseData& d);
// After a case was read from a file: both phase rules, then the shape rule.
void ApplyOpenedCaseRules(CaseData& d);

// The user's picks, each with its rule, as the page runs them.
void PickShape(CaseData& d, Shape s);
void PickPlacement(CaseData& d, Placement p);
void PickPhase(CaseData& d, Side s, Phase p);
void PickMode(CaseData& d, Mode m);
void ClickAutoPipes(CaseData& d, bool ticked);
void ClickFlow(CaseData& d, FlowArrangement f);

// The clear command on a field ("清除光标处数据"): emptied when the user confirmed; in either
// case an enabled, editable input.
void ClearFieldCommand(CaseData& d, Field f, bool confirmed);

// Completeness: of the enabled fields, how many are filled.
struct Progress {
    int enabled = 0;
    int filled = 0;
    int percent = 0; // shown on the status bar: 100·filled ÷ enabled rounded up
    int bar = 0;     // the bar: rounded to the nearest, halves to even
};
Progress ProgressOf(const CaseData& d);
// "进度：<percent>%".
std::string ProgressText(const Progress& p);

} // namespace tubalon::model
