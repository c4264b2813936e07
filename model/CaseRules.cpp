#include "model/CaseRules.h"

#include "model/NumberText.h"

#include <cmath>

namespace tubalon::model {
namespace {

// Enables or disables every control of the rule; an edit that comes on is an empty-coloured,
// editable input (a disabled one keeps its look).
void EnableGroup(CaseData& d, EnableWhen when, bool on) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (Info(f).enable != when) continue;
        d.SetEnabled(f, on);
        if (on) {
            d.SetProvenance(f, Provenance::Input);
            d.SetReadOnly(f, false);
        }
    }
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const auto c = static_cast<Control>(i);
        if (Info(c).enable != when) continue;
        d.SetEnabled(c, on);
        if (on && Info(c).kind == ControlKind::Edit) {
            d.SetProvenance(c, Provenance::Input);
            d.SetReadOnly(c, false);
        }
    }
}

// A field the calculation fills (computed look, read-only, blue) or an input (window colour,
// editable, black); the text stays.
void MarkComputed(CaseData& d, Field f, bool computed) {
    d.SetProvenance(f, computed ? Provenance::Computed : Provenance::Input);
    d.SetReadOnly(f, computed);
    d.SetBlueFont(f, computed);
}

} // namespace

bool RuleHolds(const CaseData& d, EnableWhen when) {
    switch (when) {
    case EnableWhen::Always:
        return true;
    case EnableWhen::Helical:
        return d.shape() == Shape::Helical;
    case EnableWhen::Kettle:
        return d.shape() == Shape::Kettle;
    case EnableWhen::AnnulusCondensing:
        return d.phase(Side::Annulus) == Phase::Condensing;
    case EnableWhen::InnerCondensing:
        return d.phase(Side::Inner) == Phase::Condensing;
    case EnableWhen::Design:
        return d.mode() == Mode::Design;
    }
    return false;
}

std::string_view CaptionOf(const CaseData& d, Field f) {
    return f == Field::SlD ? CaptionOf(d.lengthMeaning) : Info(f).caption;
}

std::string HelpHeading(const CaseData& d, Field f) {
    std::string s(CaptionOf(d, f));
    s += ' ';
    return s;
}

void ApplyShapeRule(CaseData& d) {
    const Shape s = d.shape();
    EnableGroup(d, EnableWhen::Helical, s == Shape::Helical);
    EnableGroup(d, EnableWhen::Kettle, s == Shape::Kettle);
    switch (s) {
    case Shape::Straight:
        d.lengthMeaning = LengthMeaning::PassLength;
        break;
    case Shape::Helical:
        d.lengthMeaning = LengthMeaning::CoilDiameter;
        if (TrimBlanks(d.Text(Field::DspD)).empty()) d.SetText(Field::DspD, "1.5");
        break;
    case Shape::Kettle:
        ApplyPlacementRule(d);
        break;
    case Shape::None:
        break;
    }
}

void ApplyPlacementRule(CaseData& d) {
    d.lengthMeaning = d.placement() == Placement::Horizontal ? LengthMeaning::KettleLength
                                                             : LengthMeaning::KettleHeight;
}

void ApplyPhaseRule(CaseData& d, Side s) {
    if (s == Side::Annulus)
        EnableGroup(d, EnableWhen::AnnulusCondensing, d.phase(s) == Phase::Condensing);
    else
        EnableGroup(d, EnableWhen::InnerCondensing, d.phase(s) == Phase::Condensing);
    for (const Field v : {Field::UrvD, Field::UtvD}) {
        if (!d.Enabled(v)) continue;
        d.SetReadOnly(v, true);
        d.SetProvenance(v, d.Filled(v) ? Provenance::Computed : Provenance::Blank);
    }
}

void ClearComputedFields(CaseData& d) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (d.ProvenanceOf(f) == Provenance::Computed) d.ClearResult(f);
    }
}

void ApplyModeRule(CaseData& d) {
    const bool design = d.mode() == Mode::Design;
    MarkComputed(d, Field::mD, design);
    const bool changed = d.autoPipes() != design;
    d.SetAutoPipes(design);
    d.SetEnabled(Control::CBAuto, design);
    if (changed) ApplyAutoPipesRule(d);
}

void ApplyAutoPipesRule(CaseData& d) {
    for (const Field f : {Field::diiD, Field::dioD, Field::doiD, Field::dooD})
        MarkComputed(d, f, d.autoPipes());
}

void ApplyOpenedCaseRules(CaseData& d) {
    ApplyPhaseRule(d, Side::Annulus);
    ApplyPhaseRule(d, Side::Inner);
    ApplyShapeRule(d);
}

void PickShape(CaseData& d, Shape s) {
    d.SetShape(s);
    ApplyShapeRule(d);
}

void PickPlacement(CaseData& d, Placement p) {
    d.SetPlacement(p);
    ApplyPlacementRule(d);
}

void PickPhase(CaseData& d, Side s, Phase p) {
    d.SetPhase(s, p);
    // Only the annulus list clears the computed fields, before its phase rule.
    if (s == Side::Annulus) ClearComputedFields(d);
    ApplyPhaseRule(d, s);
}

void PickMode(CaseData& d, Mode m) {
    d.SetMode(m);
    ApplyModeRule(d);
}

void ClickAutoPipes(CaseData& d, bool ticked) {
    d.SetAutoPipes(ticked);
    ApplyAutoPipesRule(d);
}

void ClickFlow(CaseData& d, FlowArrangement f) {
    d.SetFlow(f);
    d.memory.flowChanged = true;
}

void ClearFieldCommand(CaseData& d, Field f, bool confirmed) {
    if (confirmed) d.SetText(f, {});
    d.SetProvenance(f, Provenance::Input);
    d.SetEnabled(f, true);
    d.SetReadOnly(f, false);
}

Progress ProgressOf(const CaseData& d) {
    Progress p;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        if (!d.Enabled(f)) continue;
        ++p.enabled;
        if (d.Filled(f)) ++p.filled;
    }
    if (p.enabled == 0) return p;
    p.percent = (100 * p.filled + p.enabled - 1) / p.enabled;
    p.bar = static_cast<int>(std::nearbyint(100.0 * p.filled / p.enabled)); // halves to even
    return p;
}

std::string ProgressText(const Progress& p) {
    return "进度：" + std::to_string(p.percent) + "%";
}

} // namespace tubalon::model
