// Steps 1 to 6 and 10 to 13: pipes, film coefficients, wall, sizing, heat loss, pressure drop.
// Each step tests its inputs, reads the fields in SI, calls its kernel and writes the results.
#include "calc/AutoPipe.h"
#include "calc/Film.h"
#include "calc/PassSteps.h"
#include "calc/PressureDrop.h"
#include "calc/Sizing.h"
#include "calc/Wall.h"

#include "model/NumberText.h"
#include "refdata/PipeSeries.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"

#include <cmath>
#include <utility>

namespace tubalon::engine {

using model::Control;
using model::Side;
using F = Field;

namespace {

using kernel::Shape;

Shape ShapeOf(const CaseData& d) {
    switch (d.Choice(Control::ShapeD)) {
    case 1:
        return Shape::Helical;
    case 2:
        return Shape::Kettle;
    default:
        return Shape::Straight;
    }
}

bool Filled(const Pass& p, Field f) {
    return p.d.Filled(f);
}

// A parameter's text as a number; a text that is not one raises EConvertError.
double Number(const QString& text) {
    return StrToFloat(text);
}

// The conductivity of a material or insulation item "name   |value".
double ConductivityOf(const CaseData& d, Control list) {
    const model::Material& m = d.material(list);
    if (std::isfinite(m.conductivity)) return m.conductivity;
    const QString item = QString::fromStdString(m.name);
    const qsizetype bar = item.indexOf(QChar('|'));
    return StrToFloat(bar < 0 ? item : item.mid(bar + 1));
}

// The margin picked in CsminD as a fraction.
double RequiredMargin(const CaseData& d) {
    if (const std::optional<double> m = d.requiredMargin()) return *m;
    throw EConvertError(QString());
}

// A value written into a field as an input would hold it: text only.
void SetInput(Pass& p, Field f, double v) {
    if (p.d.SetValue(f, v) == model::WriteOutcome::NotFinite)
        throw ECalcError(QStringLiteral("“%1”无法计算：结果不是有限数值，请检查输入数据！")
                             .arg(FieldCaption(p.d, f)));
}

// The curvature of a helical coil: coil diameter SlD and pitch ratio DspD.
kernel::Coil CoilOf(const Pass& p) {
    kernel::Coil coil;
    if (ShapeOf(p.d) == Shape::Helical && AllFilled(p, {F::SlD, F::DspD})) {
        coil.on = true;
        coil.diameter = V(p, F::SlD);
        coil.pitch = V(p, F::DspD);
    }
    return coil;
}

// "传热计算方法": empty or 0 picks the correlations by regime, 1 keeps the original formulas.
kernel::FilmMethod MethodOf(const Pass& p) {
    const QString text = TrimText(p.settings.filmMethod);
    if (text.isEmpty()) return kernel::FilmMethod::Regimes;
    const double v = StrToFloat(text);
    if (v == 0) return kernel::FilmMethod::Regimes;
    if (v == 1) return kernel::FilmMethod::Original;
    throw ECalcError(
        QStringLiteral("系统设置中的“传热计算方法”必须为 0 或 1，而不是“%1”").arg(text));
}

// LaD of the previous pass for the developing laminar flow; 0 when it is empty.
double LengthOf(const Pass& p) {
    return Filled(p, F::LaD) ? V(p, F::LaD) : 0.0;
}

// Adds the usual-velocity warning of a side (not for the kettle, whose inside and jacket are
// no pipe flows). A single-phase side is a gas below the gas/liquid boundary density.
void CheckVelocity(const Pass& p, kernel::FlowInfo& flow, double u, bool gas) {
    if (ShapeOf(p.d) == Shape::Kettle) return;
    if (const std::string w = kernel::VelocityWarning(u, gas); !w.empty())
        flow.warnings.push_back(w);
}

bool IsGas(const Pass& p, double density) {
    long double boundary = 100;
    const QString text = TrimText(p.settings.boundaryDensity);
    if (!TryParseNumber(text, boundary)) boundary = 100; // the pipe choice reports a bad value
    return density < static_cast<double>(boundary);
}

} // namespace

StepOutcome StepAutoPipes(Pass& p) {
    // The kettle's height is its input and the result of step 11 alike: it stands each pass.
    if (ShapeOf(p.d) == Shape::Kettle && Filled(p, F::SlD)) Confirm(p, F::SlD);
    if (!p.d.autoPipes() || !Need(p, {F::WtD, F::DentD, F::WrD, F::DenrD}))
        return StepOutcome::Continue;
    kernel::AutoPipeIn in;
    in.innerFlow = V(p, F::WtD);
    if (p.d.Choice(Control::PhtD) == 0) {
        in.innerDensity = V(p, F::DentD);
    } else {
        if (!Need(p, {F::dtvD})) return StepOutcome::EndCall;
        in.innerDensity = V(p, F::dtvD);
    }
    in.annulusFlow = V(p, F::WrD);
    if (p.d.Choice(Control::PhrD) == 0) {
        in.annulusDensity = V(p, F::DenrD);
    } else {
        if (!Need(p, {F::DrvD})) return StepOutcome::EndCall;
        in.annulusDensity = V(p, F::DrvD);
    }
    in.boundaryDensity = Number(p.settings.boundaryDensity);
    in.annulusGas = Number(p.settings.annulusGasVelocity);
    in.annulusLiquid = Number(p.settings.annulusLiquidVelocity);
    in.innerGas = Number(p.settings.innerGasVelocity);
    in.innerLiquid = Number(p.settings.innerLiquidVelocity);
    if (ShapeOf(p.d) == Shape::Kettle) {
        in.kettle = true;
        if (!p.d.Filled(F::TimeD))
            p.d.SetText(F::TimeD, p.settings.kettleSpaceTime.toUtf8().toStdString());
        const bool height = Filled(p, F::SlD);
        in.kettleVelocity =
            kernel::KettleVelocity(height, height ? V(p, F::SlD) : 0, V(p, F::TimeD));
    }
    const kernel::PipeChoice pipes = kernel::ChoosePipes(in, p.pipes);
    p.s.pipesChosen = true;
    if (Filled(p, F::diiD) && V(p, F::diiD) > pipes.innerInner) ++p.s.k;
    if (p.s.k >= 4) {
        // The pipes an earlier pass of this call chose stay.
        for (Field d : {F::diiD, F::dioD, F::doiD, F::dooD})
            Confirm(p, d);
        return StepOutcome::Continue;
    }
    Write(p, F::diiD, pipes.innerInner);
    Write(p, F::dioD, pipes.innerOuter);
    Write(p, F::doiD, pipes.outerInner);
    return Write(p, F::dooD, pipes.outerOuter) ? StepOutcome::Restart : StepOutcome::Continue;
}

StepOutcome StepAnnulusSinglePhase(Pass& p) {
    if (p.d.Choice(Control::PhrD) != 0 ||
        !Need(p, {F::LdrD, F::doiD, F::dioD, F::WrD, F::MrD, F::CprD, F::DenrD}))
        return StepOutcome::Continue;
    kernel::AnnulusSinglePhaseIn in;
    in.w = V(p, F::WrD);
    in.cp = V(p, F::CprD);
    in.density = V(p, F::DenrD);
    in.viscosity = V(p, F::MrD);
    in.conductivity = V(p, F::LdrD);
    in.outerInner = V(p, F::doiD);
    in.innerOuter = V(p, F::dioD);
    in.hotFluid = p.d.role(Side::Annulus) == model::FluidRole::Hot;
    in.coil = CoilOf(p);
    in.method = MethodOf(p);
    in.length = LengthOf(p);
    kernel::FilmResult r = kernel::AnnulusSinglePhase(in);
    CheckVelocity(p, r.flow, r.u, IsGas(p, in.density));
    p.s.annulusFlow = r.flow;
    Write(p, F::krD, r.h);
    Write(p, F::UrD, r.u);
    return StepOutcome::Continue;
}

StepOutcome StepAnnulusCondensing(Pass& p) {
    // The inner film comes from steps 4 and 5 of the previous pass.
    if (p.d.Choice(Control::PhrD) != 1 ||
        !Need(p, {F::DenrD, F::LdrD, F::doiD, F::dioD, F::diiD, F::MrD, F::DHrD, F::Tr1D, F::Tr2D,
                  F::Tt1D, F::Tt2D, F::RsD, F::WrD, F::SlD}) ||
        !Filled(p, F::ktD))
        return StepOutcome::Continue;
    // An empty inner fouling resistance takes a usual clean-service figure.
    if (!p.d.Filled(F::RtD))
        Write(p, F::RtD, 0.0002);
    else if (p.d.ProvenanceOf(F::RtD) == model::Provenance::Computed)
        Confirm(p, F::RtD);
    kernel::AnnulusCondensingIn in;
    in.w = V(p, F::WrD);
    in.density = V(p, F::DenrD);
    in.viscosity = V(p, F::MrD);
    in.conductivity = V(p, F::LdrD);
    in.latentHeat = V(p, F::DHrD);
    in.outerInner = V(p, F::doiD);
    in.innerOuter = V(p, F::dioD);
    in.innerInner = V(p, F::diiD);
    in.tr1 = V(p, F::Tr1D);
    in.tr2 = V(p, F::Tr2D);
    in.tt1 = V(p, F::Tt1D);
    in.tt2 = V(p, F::Tt2D);
    in.rs = V(p, F::RsD);
    in.rt = V(p, F::RtD);
    in.innerFilm = V(p, F::ktD);
    in.wallConductivity = ConductivityOf(p.d, Control::TmD);
    in.length = V(p, F::SlD);
    in.nonCondensable = p.d.memory.annulusShare;
    in.shape = ShapeOf(p.d);
    in.kettleLying = p.d.Choice(Control::LayType) == 1;
    in.coil = CoilOf(p);
    if (Filled(p, F::CprD)) in.cp = V(p, F::CprD);
    kernel::CondensingResult r = kernel::AnnulusCondensing(in);
    p.s.annulusFlow = r.flow;
    Write(p, F::krD, r.h);
    Write(p, F::UrD, r.u);
    if (Have(p, {F::UrD, F::DenrD, F::DrvD})) {
        const double uv = kernel::VapourVelocity(V(p, F::UrD), V(p, F::DenrD), V(p, F::DrvD));
        CheckVelocity(p, p.s.annulusFlow, uv, true);
        Write(p, F::UrvD, uv);
    }
    return StepOutcome::Continue;
}

StepOutcome StepInnerSinglePhase(Pass& p) {
    if (p.d.Choice(Control::PhtD) != 0 ||
        !Need(p, {F::LdtD, F::diiD, F::WtD, F::MtD, F::CptD, F::DentD}))
        return StepOutcome::Continue;
    kernel::InnerSinglePhaseIn in;
    in.w = V(p, F::WtD);
    in.cp = V(p, F::CptD);
    in.density = V(p, F::DentD);
    in.viscosity = V(p, F::MtD);
    in.conductivity = V(p, F::LdtD);
    in.innerInner = V(p, F::diiD);
    in.hotFluid = p.d.role(Side::Inner) == model::FluidRole::Hot;
    in.coil = CoilOf(p);
    in.method = MethodOf(p);
    in.length = LengthOf(p);
    kernel::FilmResult r = kernel::InnerSinglePhase(in);
    CheckVelocity(p, r.flow, r.u, IsGas(p, in.density));
    p.s.innerFlow = r.flow;
    Write(p, F::ktD, r.h);
    Write(p, F::UtD, r.u);
    return StepOutcome::Continue;
}

StepOutcome StepInnerCondensing(Pass& p) {
    if (p.d.Choice(Control::PhtD) != 1) return StepOutcome::Continue;
    const kernel::FilmMethod method = MethodOf(p);
    if (method == kernel::FilmMethod::Regimes
            ? !Need(p, {F::diiD, F::WtD, F::DentD, F::CptD, F::MtD, F::LdtD, F::dtvD})
            : !Need(p, {F::diiD, F::WtD, F::DentD, F::Tt1D}))
        return StepOutcome::Continue;
    kernel::InnerCondensingIn in;
    in.method = method;
    in.w = V(p, F::WtD);
    in.density = V(p, F::DentD);
    in.innerInner = V(p, F::diiD);
    // The condensate's properties: all needed by Boyko–Kruzhilin, shown where known otherwise.
    if (Filled(p, F::CptD)) in.cp = V(p, F::CptD);
    if (Filled(p, F::MtD)) in.viscosity = V(p, F::MtD);
    if (Filled(p, F::LdtD)) in.conductivity = V(p, F::LdtD);
    if (Filled(p, F::dtvD)) in.vapourDensity = V(p, F::dtvD);
    if (method == kernel::FilmMethod::Original) {
        in.tt1 = V(p, F::Tt1D);
        in.haveDuty = AllFilled(p, {F::LaD, F::QtD});
        if (in.haveDuty) {
            in.length = V(p, F::LaD);
            in.duty = V(p, F::QtD);
        }
    }
    in.coil = CoilOf(p);
    const kernel::FilmResult r = kernel::InnerCondensing(in);
    p.s.innerFlow = r.flow;
    Write(p, F::ktD, r.h);
    Write(p, F::UtD, r.u);
    if (Have(p, {F::UtD, F::DentD, F::dtvD})) {
        const double uv = kernel::VapourVelocity(V(p, F::UtD), V(p, F::DentD), V(p, F::dtvD));
        CheckVelocity(p, p.s.innerFlow, uv, true);
        Write(p, F::UtvD, uv);
    }
    return StepOutcome::Continue;
}

StepOutcome StepInsulation(Pass& p) {
    if (!Need(p, {F::dooD, F::krD, F::doiD, F::dioD, F::RsD, F::Tr1D, F::Tr2D, F::TaD}))
        return StepOutcome::Continue;
    kernel::InsulationIn in;
    in.outerOuter = V(p, F::dooD);
    in.annulusFilm = V(p, F::krD);
    in.outerInner = V(p, F::doiD);
    in.rs = V(p, F::RsD);
    in.shellConductivity = ConductivityOf(p.d, Control::SmD);
    in.thickness = V(p, F::BpD); // not part of the test: an empty thickness is an error
    in.insulationConductivity = ConductivityOf(p.d, Control::PmD);
    in.tr1 = V(p, F::Tr1D);
    in.tr2 = V(p, F::Tr2D);
    in.ta = V(p, F::TaD);
    const kernel::InsulationOut r = kernel::InsulationSurface(in);
    Write(p, F::TwD, r.tw);
    Write(p, F::KlD, r.kl);
    Write(p, F::TwaD, r.twa);
    return StepOutcome::Continue;
}

StepOutcome StepOverallCoefficient(Pass& p) {
    if (!Need(p, {F::RsD, F::dioD, F::doiD, F::diiD, F::krD, F::ktD, F::RtD}))
        return StepOutcome::Continue;
    kernel::OverallIn in;
    in.annulusFilm = V(p, F::krD);
    in.rs = V(p, F::RsD);
    in.innerOuter = V(p, F::dioD);
    in.innerInner = V(p, F::diiD);
    in.wallConductivity = ConductivityOf(p.d, Control::TmD);
    in.innerFilm = V(p, F::ktD);
    in.rt = V(p, F::RtD);
    Write(p, F::KaD, kernel::OverallCoefficient(in));
    return StepOutcome::Continue;
}

StepOutcome StepSizing(Pass& p) {
    if (!Need(p, {F::QaD, F::KaD, F::AdtD, F::dioD, F::SlD})) return StepOutcome::Continue;
    kernel::SizingIn in;
    in.design = p.d.Choice(Control::CalTypeD) == 0;
    if (!in.design && !Need(p, {F::mD})) return StepOutcome::EndCall;
    in.duty = V(p, F::QaD);
    in.overall = V(p, F::KaD);
    in.meanDiff = V(p, F::AdtD);
    in.margin = RequiredMargin(p.d);
    in.innerOuter = V(p, F::dioD);
    in.length = V(p, F::SlD);
    in.shape = ShapeOf(p.d);
    in.pitchFilled = Filled(p, F::DspD);
    if (in.pitchFilled) in.pitch = V(p, F::DspD);
    if (!in.design) in.passes = V(p, F::mD);
    const kernel::SizingOut r = kernel::Size(in);
    // A new length that earlier steps read starts the pass again, once the heat loss of step 12
    // has followed it too, so that length, coefficients and loss settle together (in rating
    // mode nothing else would restart the pass). The driver bounds the passes.
    if (in.shape == Shape::Kettle) {
        // The needed wall height becomes the kettle height, an ordinary input once it agrees.
        if (Write(p, F::SlD, r.la)) {
            p.s.lengthChanged = true;
        } else {
            p.d.ClearResult(F::SlD);
            SetInput(p, F::SlD, r.la);
        }
    }
    Write(p, F::CsD, r.cs);
    Write(p, F::AcD, r.ac);
    if (r.passes) Write(p, F::mD, *r.passes);
    Write(p, F::ArD, r.ar);
    // Film coefficients that depend on the length (developing laminar flow, the original
    // steam formula in the tube) read the length of the previous pass.
    const bool lengthRead = p.s.annulusFlow.usesLength || p.s.innerFlow.usesLength;
    if (Write(p, F::LaD, r.la) && lengthRead) p.s.lengthChanged = true;
    return StepOutcome::Continue;
}

StepOutcome StepHeatLoss(Pass& p) {
    const bool lengthChanged = std::exchange(p.s.lengthChanged, false); // from step 11
    const StepOutcome next = lengthChanged ? StepOutcome::Restart : StepOutcome::Continue;
    if (!Need(p, {F::KlD, F::dooD, F::LaD, F::Tr1D, F::Tr2D, F::TaD, F::QrD})) return next;
    const double tm = (V(p, F::Tr1D) + V(p, F::Tr2D)) / 2.0;
    const double ql = kernel::HeatLoss(V(p, F::KlD), V(p, F::dooD), V(p, F::LaD), tm, V(p, F::TaD));
    const double before = Filled(p, F::QLD) ? V(p, F::QLD) : 0.0;
    const double qr = V(p, F::QrD);
    Write(p, F::QLD, ql);
    Write(p, F::HLPD, kernel::HeatLossShare(ql, qr));
    // The loss enters the heat balance of step 7: when it moved the balance by the results'
    // tolerance of the duty or more, the pass starts again so that a solved quantity follows it
    // within this call and what is shown belongs together.
    return std::fabs(ql - before) >= model::kResultTolerance * std::fabs(qr) ? StepOutcome::Restart
                                                                             : next;
}

StepOutcome StepPressureDrop(Pass& p) {
    if (!Need(p, {F::DenrD, F::doiD, F::dioD, F::WrD, F::MrD, F::ErD, F::mD, F::SlD, F::WtD,
                  F::DentD, F::diiD, F::MtD, F::EtD}))
        return StepOutcome::EndCallProgress;
    const Shape shape = ShapeOf(p.d);
    const bool pitch = Filled(p, F::DspD);

    bool annulus = true;
    kernel::AnnulusDropIn a;
    if (p.d.Choice(Control::PhrD) == 1) {
        annulus = Have(p, {F::DrvD, F::MrvD});
        if (annulus) {
            a.density = V(p, F::DrvD);
            a.viscosity = V(p, F::MrvD);
        }
    } else {
        a.density = V(p, F::DenrD);
        a.viscosity = V(p, F::MrD);
    }
    if (annulus) {
        a.outerInner = V(p, F::doiD);
        a.innerOuter = V(p, F::dioD);
        a.roughness = V(p, F::ErD);
        a.w = V(p, F::WrD);
        a.passes = V(p, F::mD);
        a.length = V(p, F::SlD);
        a.shape = shape;
        a.pitchFilled = pitch;
        if (pitch) a.pitch = V(p, F::DspD);
        a.method = MethodOf(p);
        const double zeta = Number(p.settings.annulusEntry) + Number(p.settings.annulusExit);
        if (const auto dp = kernel::AnnulusPressureDrop(a, zeta)) Write(p, F::DpsD, *dp);
    }

    kernel::InnerDropIn t;
    if (p.d.Choice(Control::PhtD) == 1) {
        if (!Need(p, {F::dtvD, F::MtvD})) return StepOutcome::EndCallProgress;
        t.density = V(p, F::dtvD);
        t.viscosity = V(p, F::MtvD);
    } else {
        t.density = V(p, F::DentD);
        t.viscosity = V(p, F::MtD);
    }
    t.w = V(p, F::WtD);
    t.innerInner = V(p, F::diiD);
    t.innerOuter = V(p, F::dioD);
    t.roughness = V(p, F::EtD);
    t.passes = V(p, F::mD);
    t.length = V(p, F::SlD);
    t.shape = shape;
    t.pitchFilled = pitch;
    if (pitch) t.pitch = V(p, F::DspD);
    const auto dp = kernel::InnerPressureDrop(t, Number(p.settings.uBend));
    if (dp && Write(p, F::DptD, *dp)) return StepOutcome::Restart;
    return StepOutcome::EndCallProgress;
}

} // namespace tubalon::engine
