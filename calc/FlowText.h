// The film information of a case as the user sees it, for the report, the tooltips of the
// film fields, the status bar and the tool's --json. A side's information is shown only while
// its film field holds the coefficient it describes: a cleared field, an opened case or a
// coefficient from an earlier calculation shows none.
#pragma once

#include "calc/Case.h"

#include <QString>
#include <QStringList>

namespace tubalon {

// The information when `film` shows its coefficient (within the results' tolerance), else null.
const kernel::FlowInfo* ShownFlow(const kernel::FlowInfo& info, const TEditD* film);
// krD and the annulus, ktD and the inner side.
const kernel::FlowInfo* ShownAnnulusFlow(const Case& c, const CalcState& s);
const kernel::FlowInfo* ShownInnerFlow(const Case& c, const CalcState& s);

// "38434.2" for a Reynolds number, "5.420" for a Prandtl number; "-" when not known.
QString ReynoldsText(const kernel::FlowInfo& f);
QString PrandtlText(const kernel::FlowInfo& f);
QString RegimeText(const kernel::FlowInfo& f);
QString CorrelationText(const kernel::FlowInfo& f);

// Several lines: Re, Pr, regime, correlation and the warnings; empty for null.
QString FlowToolTip(const kernel::FlowInfo* f);

// The warnings of both sides shown, each as "外管：…" or "内管：…".
QStringList FlowWarnings(const Case& c, const CalcState& s);

} // namespace tubalon
