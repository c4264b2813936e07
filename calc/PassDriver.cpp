#include "calc/Pass.h"
#include "calc/PassSteps.h"

#include "model/CaseRules.h"
#include "model/NumberText.h"
#include "units/Errors.h"

namespace tubalon::engine {

using model::Provenance;

PassSettings ShippedPassSettings() {
    PassSettings p;
    p.filmMethod = QStringLiteral("0");
    p.boundaryDensity = QStringLiteral("100");
    p.annulusGasVelocity = QStringLiteral("20");
    p.annulusLiquidVelocity = QStringLiteral("1.5");
    p.innerGasVelocity = QStringLiteral("20.0");
    p.innerLiquidVelocity = QStringLiteral("1.5");
    p.kettleSpaceTime = QStringLiteral("20");
    p.annulusEntry = QStringLiteral("1.5");
    p.annulusExit = QStringLiteral("1.3");
    p.uBend = QStringLiteral("0.35");
    return p;
}

const std::vector<PassStep>& PassSteps() {
    using F = Field;
    static const std::vector<PassStep> steps = {
        {1, "automatic pipe choice", StepAutoPipes, {F::diiD, F::dioD, F::doiD, F::dooD}},
        {2, "annulus single-phase film", StepAnnulusSinglePhase, {F::krD, F::UrD}},
        {3, "annulus condensing film", StepAnnulusCondensing, {F::krD, F::UrD, F::UrvD, F::RtD}},
        {4, "inner single-phase film", StepInnerSinglePhase, {F::ktD, F::UtD}},
        {5, "inner condensing film", StepInnerCondensing, {F::ktD, F::UtD, F::UtvD}},
        {6, "insulation and outer wall", StepInsulation, {F::TwD, F::KlD, F::TwaD}},
        {7,
         "heat-balance completion",
         StepBalanceCompletion,
         {F::WrD, F::CprD, F::Tr1D, F::Tr2D, F::WtD, F::CptD, F::Tt1D, F::Tt2D, F::DHrD, F::DHtD}},
        {8, "side duties", StepDuties, {F::QrD, F::QtD, F::QaD}},
        {9, "mean temperature difference", StepMeanTemperature, {F::AdtD}},
        {10, "overall coefficient", StepOverallCoefficient, {F::KaD}},
        {11,
         "area, length, passes, margin",
         StepSizing,
         {F::CsD, F::AcD, F::mD, F::ArD, F::LaD, F::SlD}},
        {12, "heat loss", StepHeatLoss, {F::QLD, F::HLPD}},
        {13, "pressure drops", StepPressureDrop, {F::DpsD, F::DptD}},
    };
    return steps;
}

QString FieldCaption(const CaseData& d, Field f) {
    const std::string_view c = model::CaptionOf(d, f);
    return QString::fromUtf8(c.data(), static_cast<qsizetype>(c.size()));
}

namespace {

QString FromView(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// "缺少数据：质量流量（外管）": the field's caption and the side of its group.
QString LackOf(const CaseData& d, Field f) {
    QString side;
    switch (model::Info(f).group) {
    case model::Group::ShellParams:
    case model::Group::ShellProps:
        side = QStringLiteral("外管");
        break;
    case model::Group::TubeProps:
    case model::Group::TubeParams:
        side = QStringLiteral("内管");
        break;
    default:
        break;
    }
    return side.isEmpty() ? QStringLiteral("缺少数据：%1").arg(FieldCaption(d, f))
                          : QStringLiteral("缺少数据：%1（%2）").arg(FieldCaption(d, f), side);
}

bool Usable(const Pass& p, Field f) {
    return p.d.Filled(f) &&
           (p.d.ProvenanceOf(f) != Provenance::Computed || p.s.confirmed.test(model::Index(f)));
}

// Empties the computed and solved fields that `kept` does not hold: a computed one keeps its
// look (it stays a result), a solved one becomes an empty input that the balance solves again.
void DropUnconfirmed(CaseData& d, const FieldSet& kept) {
    for (std::size_t i = 0; i < model::kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        // A disabled field belongs to no side or shape of the case now; it keeps its text.
        if (!d.Enabled(f) || !d.Filled(f) || kept.test(i)) continue;
        if (d.ProvenanceOf(f) == Provenance::Solved)
            d.ClearResult(f);
        else if (d.ProvenanceOf(f) == Provenance::Computed)
            d.SetText(f, {});
    }
}

} // namespace

double V(const Pass& p, Field f) {
    if (!p.d.HasValue(f)) {
        const std::string_view t = model::TrimBlanks(p.d.Text(f));
        throw EConvertError(FromView(t), FieldCaption(p.d, f), FromView(model::Name(f)));
    }
    return p.d.SI(f);
}

bool Write(Pass& p, Field f, double v, Provenance as, double tolerance) {
    const model::WriteOutcome w = p.d.WriteResult(f, v, as, tolerance);
    if (w == model::WriteOutcome::NotFinite)
        throw ECalcError(QStringLiteral("“%1”无法计算：结果不是有限数值，请检查输入数据！")
                             .arg(FieldCaption(p.d, f)));
    Confirm(p, f);
    return w == model::WriteOutcome::Written;
}

void Confirm(Pass& p, Field f) {
    p.s.confirmed.set(model::Index(f));
    p.s.confirmedInCall.set(model::Index(f));
}

bool Have(const Pass& p, std::initializer_list<Field> fields) {
    for (Field f : fields)
        if (!Usable(p, f)) return false;
    return true;
}

bool Need(Pass& p, std::initializer_list<Field> fields) {
    for (Field f : fields)
        if (!Usable(p, f)) {
            NoteLack(p.s, LackOf(p.d, f));
            return false;
        }
    return true;
}

bool AllFilled(const Pass& p, std::initializer_list<Field> fields) {
    for (Field f : fields)
        if (!p.d.Filled(f)) return false;
    return true;
}

void NoteLack(PassState& s, const QString& why) {
    if (s.lack.isEmpty()) s.lack = why;
}

CalcResult RunPass(CaseData& d, PassState& s, const PassSettings& settings,
                   const PipeSeries& pipes) {
    CalcResult r;
    Pass p{d, s, settings, pipes};
    s.k = 0;
    s.pipesChosen = false;
    s.incomplete.clear();
    s.warnings.clear();
    s.confirmedInCall.reset();
    const auto& steps = PassSteps();
    // The call's end: what the last pass did not confirm goes.
    auto finish = [&](bool ended) {
        DropUnconfirmed(d, s.confirmed);
        if (ended && s.lack.isEmpty()) NoteLack(s, QStringLiteral("计算提前结束"));
        s.incomplete = s.lack;
        r.complete = s.incomplete.isEmpty();
        return r;
    };
    try {
        while (r.passes < kMaxPassCount) {
            ++r.passes;
            s.confirmed.reset();
            s.lack.clear();
            bool restart = false;
            for (const PassStep& step : steps) {
                const StepOutcome o = step.run(p);
                if (o == StepOutcome::Restart) {
                    restart = true;
                    break;
                }
                if (o == StepOutcome::EndCall) return finish(true);
                if (o == StepOutcome::EndCallProgress) {
                    r.progress = true;
                    return finish(false);
                }
            }
            if (!restart) {
                r.progress = true;
                return finish(false);
            }
        }
    } catch (const std::exception& e) {
        DropUnconfirmed(d, s.confirmed);
        s.incomplete = QString::fromUtf8(e.what());
        throw;
    } catch (...) {
        DropUnconfirmed(d, s.confirmed);
        s.incomplete = QStringLiteral("发生未知错误。");
        throw;
    }
    // The pass bound: the last results of each step stay, as the notice says.
    r.boundHit = true;
    r.progress = true;
    DropUnconfirmed(d, s.confirmedInCall);
    s.incomplete.clear();
    r.complete = true;
    return r;
}

} // namespace tubalon::engine
