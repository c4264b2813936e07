#include "model/CaseData.h"

#include "model/NumberText.h"

#include <cmath>
#include <cstring>

namespace tubalon::model {

int ColorOf(Provenance p) {
    switch (p) {
    case Provenance::Blank:
        return kColorButtonFace;
    case Provenance::Input:
        return kColorWindow;
    case Provenance::Computed:
        return kColorComputed;
    case Provenance::Solved:
        return kColorSolved;
    }
    return kColorWindow;
}

std::optional<Provenance> ProvenanceOfColor(int color) {
    switch (color) {
    case kColorButtonFace:
        return Provenance::Blank;
    case kColorWindow:
        return Provenance::Input;
    case kColorComputed:
        return Provenance::Computed;
    case kColorSolved:
        return Provenance::Solved;
    default:
        return std::nullopt;
    }
}

std::string_view CaptionOf(LengthMeaning m) {
    switch (m) {
    case LengthMeaning::PassLength:
        return "单程管长";
    case LengthMeaning::CoilDiameter:
        return "盘管直径";
    case LengthMeaning::KettleHeight:
        return "釜高度";
    case LengthMeaning::KettleLength:
        return "釜长度";
    }
    return {};
}

void CaseText::assign(std::string_view s) {
    if (s.size() <= kInline) {
        if (!s.empty()) std::memmove(small_.data(), s.data(), s.size()); // s may be this text
        size_ = static_cast<std::uint8_t>(s.size());
        large_.clear();
    } else {
        large_.assign(s);
        size_ = kLarge;
    }
}

namespace {

// The SI value of a text in a unit: its number times the factor in extended precision,
// rounded to double, as the fields have always read it.
bool ReadSI(std::string_view text, double factor, double& si) {
    long double n = 0;
    if (!ParseNumber(TrimBlanks(text), n)) return false;
    const double v = static_cast<double>(n * static_cast<long double>(factor));
    if (!std::isfinite(v)) return false;
    si = v;
    return true;
}

// The first items of the material and insulation tables.
Material FirstPipeMaterial() {
    return {"低碳钢", 52.34};
}
Material FirstInsulation() {
    return {"岩棉板,壳", 0.033};
}

} // namespace

CaseData::CaseData()
    : tube_(FirstPipeMaterial()), shell_(FirstPipeMaterial()), insulation_(FirstInsulation()) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        FieldSlot& s = fields_[i];
        const Look look = Info(static_cast<Field>(i)).look;
        s.provenance = look == Look::Input ? Provenance::Input : Provenance::Blank;
        s.enabled = look != Look::Off && look != Look::OffResult;
        s.readOnly = look == Look::Result || look == Look::ResultBlack || look == Look::OffResult;
        // A new field is blue; the page sets every look but Result to black.
        s.blueFont = look == Look::Result;
    }
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const ControlInfo& info = Info(static_cast<Control>(i));
        ControlSlot& s = controls_[i];
        s.choice = static_cast<std::int8_t>(info.initialIndex);
        s.enabled = info.enable == EnableWhen::Always || info.enable == EnableWhen::Design;
        if (info.kind == ControlKind::Edit) {
            s.enabled = info.look != Look::Off && info.look != Look::OffResult;
            s.readOnly = info.look == Look::Result || info.look == Look::OffResult;
            s.provenance = Provenance::Blank;
        }
        SetText(static_cast<Control>(i), info.initialText);
    }
}

void CaseData::Assign(Field f, std::string_view text) {
    FieldSlot& s = field(f);
    if (Info(f).change == OnChange::TemperatureChanged && s.text.view() != text)
        memory.temperaturesChanged = true;
    s.text.assign(text);
    s.number = ReadSI(text, s.factor, s.si);
    if (!s.number) s.si = 0;
}

void CaseData::SetText(Field f, std::string_view text) {
    Assign(f, text);
}

WriteOutcome CaseData::SetValue(Field f, double si) {
    const double shown = si / field(f).factor;
    if (!std::isfinite(shown)) return WriteOutcome::NotFinite;
    char buf[kFloat15Chars];
    Assign(f, std::string_view(buf, FormatFloat15(shown, buf)));
    return WriteOutcome::Written;
}

WriteOutcome CaseData::WriteResult(Field f, double si, Provenance p, double tolerance) {
    FieldSlot& s = field(f);
    if (s.number) {
        const double c = s.si;
        const double d = c != 0 ? std::fabs(si - c) / std::fabs(c) : std::fabs(si - c);
        if (d < tolerance) return WriteOutcome::Kept;
    }
    const WriteOutcome w = SetValue(f, si);
    if (w != WriteOutcome::Written) return w;
    s.provenance = p;
    s.readOnly = true;
    return w;
}

bool CaseData::ClearResult(Field f) {
    FieldSlot& s = field(f);
    if (s.text.empty() && s.provenance == Provenance::Input) return false;
    Assign(f, {});
    s.provenance = Provenance::Input;
    s.readOnly = false;
    return true;
}

void CaseData::SetFactor(Field f, double factor) {
    FieldSlot& s = field(f);
    const std::string_view t = TrimBlanks(s.text.view());
    long double n = 0;
    if (!t.empty() && factor != 0 && ParseNumber(t, n)) {
        const double v = static_cast<double>(n * static_cast<long double>(s.factor) /
                                             static_cast<long double>(factor));
        if (std::isfinite(v)) {
            char buf[kFloat15Chars];
            s.factor = factor;
            Assign(f, std::string_view(buf, FormatFloat15(v, buf)));
            return;
        }
    }
    s.factor = factor;
    s.number = ReadSI(s.text.view(), s.factor, s.si);
    if (!s.number) s.si = 0;
}

bool CaseData::PickUnit(Field f, int index) {
    const UnitList& list = UnitsOf(Info(f).unit);
    if (index < 0 || index >= static_cast<int>(list.items.size())) return false;
    SetUnitIndex(f, index);
    SetFactor(f, list.items[static_cast<std::size_t>(index)].value);
    return true;
}

void CaseData::SetText(Control c, std::string_view text) {
    ControlSlot& s = control(c);
    s.text.assign(text);
    long double n = 0;
    s.isNumber = ParseNumber(TrimBlanks(text), n) && std::isfinite(static_cast<double>(n));
    s.number = s.isNumber ? static_cast<double>(n) : 0;
}

std::optional<double> CaseData::requiredMargin() const {
    const int i = Choice(Control::CsminD);
    const auto& items = Info(Control::CsminD).items;
    if (i < 0 || i >= static_cast<int>(items.size())) return std::nullopt;
    long double n = 0;
    ParseNumber(items[static_cast<std::size_t>(i)], n);
    return static_cast<double>(n) / 100;
}

const Material& CaseData::material(Control list) const {
    if (list == Control::TmD) return tube_;
    if (list == Control::SmD) return shell_;
    return insulation_;
}

void CaseData::SetMaterial(Control list, int index, Material m) {
    SetChoice(list, index);
    (list == Control::TmD ? tube_ : list == Control::SmD ? shell_ : insulation_) = std::move(m);
}

FluidRole CaseData::role(Side s) const {
    const std::string_view t = Text(s == Side::Annulus ? Control::HTrD : Control::HTtD);
    if (t == "热流体") return FluidRole::Hot;
    if (t == "冷流体") return FluidRole::Cold;
    return FluidRole::Unknown;
}

std::optional<double> CaseData::nonCondensableShare(Side s) const {
    const ControlSlot& slot = control(s == Side::Annulus ? Control::LarD : Control::LatD);
    if (slot.text.empty()) return 0.0;
    if (!slot.isNumber) return std::nullopt;
    return slot.number / 100;
}

} // namespace tubalon::model
