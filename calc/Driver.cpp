#include "calc/Driver.h"

#include "refdata/Params.h"
#include "refdata/PipeSeries.h"
#include "units/Colors.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/NumberFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <array>
#include <cmath>

namespace tubalon {

namespace m = tubalon::model;
using m::Control;
using m::Field;

namespace {

// The case's field of each model field, in the model's order.
constexpr std::array<TEditD * Case::*, m::kFieldCount> kFieldOf = {
#define TUBALON_FIELD_MEMBER(stem) &Case::stem##D,
    TUBALON_MODEL_FIELD_STEMS(TUBALON_FIELD_MEMBER)
#undef TUBALON_FIELD_MEMBER
};

std::string Utf8(const QString& s) {
    return s.toStdString();
}

QString FromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

m::LengthMeaning LengthMeaningOf(const QString& caption) {
    for (m::LengthMeaning l : {m::LengthMeaning::CoilDiameter, m::LengthMeaning::KettleHeight,
                               m::LengthMeaning::KettleLength})
        if (caption == FromUtf8(m::CaptionOf(l))) return l;
    return m::LengthMeaning::PassLength;
}

void ReadMaterial(const QComboBox* list, Control id, m::CaseData& d) {
    const QString item = list ? list->currentText() : QString();
    // A value that is not a number is told by the step that reads it.
    double k = std::nan("");
    const qsizetype bar = item.indexOf(QChar('|'));
    long double n = 0;
    if (TryParseNumber(TrimText(bar < 0 ? item : item.mid(bar + 1)), n) &&
        std::isfinite(static_cast<double>(n)))
        k = static_cast<double>(n);
    d.SetMaterial(id, list ? list->currentIndex() : -1, {Utf8(item), k});
}

void ReadText(const QLineEdit* edit, Control id, m::CaseData& d) {
    d.SetText(id, edit ? Utf8(edit->text()) : std::string());
}

void WriteText(QLineEdit* edit, Control id, const m::CaseData& before, const m::CaseData& d) {
    if (edit && d.Text(id) != before.Text(id)) edit->setText(FromUtf8(d.Text(id)));
}

// Shows in the controls what the pass changed in the model.
void WriteBack(Case& c, const m::CaseData& before, const m::CaseData& d,
               const std::bitset<m::kFieldCount>& ownColor) {
    for (std::size_t i = 0; i < m::kFieldCount; ++i) {
        TEditD* e = c.*kFieldOf[i];
        if (!e) continue;
        const auto f = static_cast<Field>(i);
        const bool text = d.Text(f) != before.Text(f);
        const bool provenance = d.ProvenanceOf(f) != before.ProvenanceOf(f);
        const bool readOnly = d.ReadOnly(f) != before.ReadOnly(f);
        if (!text && !provenance && !readOnly) continue;
        if (text) e->setText(FromUtf8(d.Text(f)));
        // A colour the program never writes stays until the pass rewrites the field.
        if (provenance || (ownColor.test(i) && text)) SetColorOf(e, m::ColorOf(d.ProvenanceOf(f)));
        if (readOnly) e->setReadOnly(d.ReadOnly(f));
        if (d.ReadOnly(f) && text)
            e->setCursor(Qt::ForbiddenCursor);
        else if (readOnly)
            e->unsetCursor();
    }
    WriteText(c.HTrD, Control::HTrD, before, d);
    WriteText(c.HTtD, Control::HTtD, before, d);
}

} // namespace

void ReadCase(const Case& c, m::CaseData& d) {
    for (std::size_t i = 0; i < m::kFieldCount; ++i) {
        const TEditD* e = c.*kFieldOf[i];
        if (!e) continue;
        const auto f = static_cast<Field>(i);
        d.SetText(f, {});
        d.SetFactor(f, e->Exchange());
        d.SetText(f, Utf8(e->text()));
        d.SetProvenance(f, m::ProvenanceOfColor(ColorOf(e)).value_or(m::Provenance::Input));
        d.SetEnabled(f, e->isEnabled());
        d.SetReadOnly(f, e->isReadOnly());
    }
    if (c.SlD) d.lengthMeaning = LengthMeaningOf(c.SlD->Caption());
    const auto choice = [&d](Control id, const QComboBox* list) {
        d.SetChoice(id, list ? list->currentIndex() : -1);
    };
    choice(Control::ShapeD, c.ShapeD);
    choice(Control::CalTypeD, c.CalTypeD);
    choice(Control::CsminD, c.CsminD);
    choice(Control::PhrD, c.PhrD);
    choice(Control::PhtD, c.PhtD);
    d.SetChoice(Control::FlowType, c.FlowType ? c.FlowType->ItemIndex() : -1);
    d.SetChoice(Control::LayType, c.LayType ? c.LayType->ItemIndex() : -1);
    d.SetAutoPipes(c.CBAuto && c.CBAuto->isChecked());
    ReadMaterial(c.TmD, Control::TmD, d);
    ReadMaterial(c.SmD, Control::SmD, d);
    ReadMaterial(c.PmD, Control::PmD, d);
    ReadText(c.HTrD, Control::HTrD, d);
    ReadText(c.HTtD, Control::HTtD, d);
    ReadText(c.LarD, Control::LarD, d);
    ReadText(c.LatD, Control::LatD, d);
}

engine::PassSettings SettingsOf(const TParamStore* params) {
    static const TParamStore defaults;
    const TParamStore& p = params ? *params : defaults;
    engine::PassSettings s;
    s.filmMethod = p.Value(paramkey::kFilmMethod);
    s.boundaryDensity = p.Value(paramkey::kBoundaryDensity);
    s.annulusGasVelocity = p.Value(paramkey::kAnnulusGasVelocity);
    s.annulusLiquidVelocity = p.Value(paramkey::kAnnulusLiquidVelocity);
    s.innerGasVelocity = p.Value(paramkey::kInnerGasVelocity);
    s.innerLiquidVelocity = p.Value(paramkey::kInnerLiquidVelocity);
    s.kettleSpaceTime = p.Value(paramkey::kKettleSpaceTime);
    s.annulusEntry = p.Value(paramkey::kAnnulusEntry);
    s.annulusExit = p.Value(paramkey::kAnnulusExit);
    s.uBend = p.Value(paramkey::kUBend);
    return s;
}

CalcResult RunCalculation(Case& c, CalcState& s) {
    static const PipeSeries noPipes;
    m::CaseData d;
    ReadCase(c, d);
    std::bitset<m::kFieldCount> ownColor;
    for (std::size_t i = 0; i < m::kFieldCount; ++i)
        if (const TEditD* e = c.*kFieldOf[i]; e && !m::ProvenanceOfColor(ColorOf(e)))
            ownColor.set(i);
    d.memory.temperaturesChanged = s.temperaturesChanged;
    d.memory.flowChanged = s.flowTypeChanged;
    const m::CaseData before = d;
    const engine::PassSettings settings = SettingsOf(c.params);
    // The marks as the pass left them: showing its results marks the temperatures again.
    const auto done = [&] {
        WriteBack(c, before, d, ownColor);
        s.temperaturesChanged = d.memory.temperaturesChanged;
        s.flowTypeChanged = d.memory.flowChanged;
        if (s.pipesChosen && c.pipeOrderReset) c.pipeOrderReset(c.pipeOrderContext);
    };
    try {
        const CalcResult r = engine::RunPass(d, s, settings, c.pipes ? *c.pipes : noPipes);
        done();
        return r;
    } catch (...) {
        done();
        throw;
    }
}

} // namespace tubalon
