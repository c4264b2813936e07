// The main window as the case-file commands and the report see it.
#include "app/InputChecks.h"
#include "app/MyStatusBar.h"
#include "app/UnitMain.h"
#include "calc/FlowText.h"

namespace tubalon {

void TFormTubalon::ApplyCaseRules() {
    if (auto* p = findChild<QWidget*>(QStringLiteral("PhrD"))) PhrDChange(p);
    if (auto* p = findChild<QWidget*>(QStringLiteral("PhtD"))) PhrDChange(p);
    ShapeDClick();
    Progress();
}

void TFormTubalon::ReviewInputs(const QString& intro) {
    inputGuard_->Review(this, case_, intro);
}

QString TFormTubalon::StatusText() const {
    return MyStatusBar1 ? MyStatusBar1->PanelText(1) : QString();
}

report::ReportFlow TFormTubalon::Flow() const {
    return {ShownAnnulusFlow(case_, state_), ShownInnerFlow(case_, state_),
            FlowWarnings(case_, state_), state_.incomplete};
}

} // namespace tubalon
