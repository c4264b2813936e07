// Steps 1 to 6 and 10 to 13: pipes, film coefficients, wall, sizing, heat loss, pressure drop.
// Each step tests its inputs, reads the fields in SI, calls its kernel and writes the results.
#include "calc/AutoPipe.h"
#include "calc/Film.h"
#include "calc/PressureDrop.h"
#include "calc/Sizing.h"
#include "calc/Steps.h"
#include "calc/Wall.h"

#include "refdata/Params.h"
#include "refdata/PipeSeries.h"
#include "units/Colors.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"
#include "units/Tools2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <cmath>
#include <utility>

namespace tubalon {

double ConductivityOf(const QComboBox* list) {
    return ItemValue(list->currentText());
}

namespace {

using kernel::Shape;

double V(const TEditD* f) {
    return f->GetSIValue();
}

bool Filled(const TEditD* f) {
    return !f->text().isEmpty();
}

TEditD* Write(CalcState& s, TEditD* f, double v) {
    return WriteResult(s, f, clComputed, kResultTolerance, v);
}

Shape ShapeOf(const Case& c) {
    switch (c.ShapeD->currentIndex()) {
    case 1:
        return Shape::Helical;
    case 2:
        return Shape::Kettle;
    default:
        return Shape::Straight;
    }
}

// The curvature of a helical coil: coil diameter SlD and pitch ratio DspD.
kernel::Coil CoilOf(const Case& c) {
    kernel::Coil coil;
    if (ShapeOf(c) == Shape::Helical && AllFilled({c.SlD, c.DspD})) {
        coil.on = true;
        coil.diameter = V(c.SlD);
        coil.pitch = V(c.DspD);
    }
    return coil;
}

const TParamStore& ParamsOf(const Case& c) {
    static const TParamStore defaults;
    return c.params ? *c.params : defaults;
}

const PipeSeries& PipesOf(const Case& c) {
    static const PipeSeries none;
    return c.pipes ? *c.pipes : none;
}

bool IsHot(const QLineEdit* side) {
    return side && side->text() == QStringLiteral("热流体");
}

// "传热计算方法": empty or 0 picks the correlations by regime, 1 keeps the original formulas.
kernel::FilmMethod MethodOf(const Case& c) {
    const QString text = TrimText(ParamsOf(c).Value(paramkey::kFilmMethod));
    if (text.isEmpty()) return kernel::FilmMethod::Regimes;
    const double v = StrToFloat(text);
    if (v == 0) return kernel::FilmMethod::Regimes;
    if (v == 1) return kernel::FilmMethod::Original;
    throw ECalcError(
        QStringLiteral("系统设置中的“传热计算方法”必须为 0 或 1，而不是“%1”").arg(text));
}

// LaD of the previous pass for the developing laminar flow; 0 when it is empty.
double LengthOf(const Case& c) {
    return Filled(c.LaD) ? V(c.LaD) : 0.0;
}

// Adds the usual-velocity warning of a side (not for the kettle, whose inside and jacket are
// no pipe flows). A single-phase side is a gas below the gas/liquid boundary density.
void CheckVelocity(const Case& c, kernel::FlowInfo& flow, double u, bool gas) {
    if (ShapeOf(c) == Shape::Kettle) return;
    if (const std::string w = kernel::VelocityWarning(u, gas); !w.empty())
        flow.warnings.push_back(w);
}

bool IsGas(const Case& c, double density) {
    long double boundary = 100;
    const QString text = TrimText(ParamsOf(c).Value(paramkey::kBoundaryDensity));
    if (!TryParseNumber(text, boundary)) boundary = 100; // the pipe choice reports a bad value
    return density < static_cast<double>(boundary);
}

} // namespace

StepOutcome StepAutoPipes(Case& c, CalcState& s) {
    // The kettle's height is its input and the result of step 11 alike: it stands each pass.
    if (ShapeOf(c) == Shape::Kettle && Filled(c.SlD)) Confirm(s, c.SlD);
    if (!c.CBAuto->isChecked() || !Need(s, {c.WtD, c.DentD, c.WrD, c.DenrD}))
        return StepOutcome::Continue;
    kernel::AutoPipeIn in;
    in.innerFlow = V(c.WtD);
    if (c.PhtD->currentIndex() == 0) {
        in.innerDensity = V(c.DentD);
    } else {
        if (!Need(s, {c.dtvD})) return StepOutcome::EndCall;
        in.innerDensity = V(c.dtvD);
    }
    in.annulusFlow = V(c.WrD);
    if (c.PhrD->currentIndex() == 0) {
        in.annulusDensity = V(c.DenrD);
    } else {
        if (!Need(s, {c.DrvD})) return StepOutcome::EndCall;
        in.annulusDensity = V(c.DrvD);
    }
    const TParamStore& p = ParamsOf(c);
    in.boundaryDensity = p.Number(paramkey::kBoundaryDensity);
    in.annulusGas = p.Number(paramkey::kAnnulusGasVelocity);
    in.annulusLiquid = p.Number(paramkey::kAnnulusLiquidVelocity);
    in.innerGas = p.Number(paramkey::kInnerGasVelocity);
    in.innerLiquid = p.Number(paramkey::kInnerLiquidVelocity);
    if (ShapeOf(c) == Shape::Kettle) {
        in.kettle = true;
        if (c.TimeD->text().isEmpty()) c.TimeD->setText(p.Value(paramkey::kKettleSpaceTime));
        const bool height = Filled(c.SlD);
        in.kettleVelocity = kernel::KettleVelocity(height, height ? V(c.SlD) : 0, V(c.TimeD));
    }
    const kernel::PipeChoice pipes = kernel::ChoosePipes(in, PipesOf(c));
    if (c.pipeOrderReset) c.pipeOrderReset(c.pipeOrderContext);
    if (Filled(c.diiD) && V(c.diiD) > pipes.innerInner) ++s.k;
    if (s.k >= 4) {
        // The pipes an earlier pass of this call chose stay.
        for (const TEditD* d : {c.diiD, c.dioD, c.doiD, c.dooD})
            Confirm(s, d);
        return StepOutcome::Continue;
    }
    Write(s, c.diiD, pipes.innerInner);
    Write(s, c.dioD, pipes.innerOuter);
    Write(s, c.doiD, pipes.outerInner);
    return Write(s, c.dooD, pipes.outerOuter) ? StepOutcome::Restart : StepOutcome::Continue;
}

StepOutcome StepAnnulusSinglePhase(Case& c, CalcState& s) {
    if (c.PhrD->currentIndex() != 0 ||
        !Need(s, {c.LdrD, c.doiD, c.dioD, c.WrD, c.MrD, c.CprD, c.DenrD}))
        return StepOutcome::Continue;
    kernel::AnnulusSinglePhaseIn in;
    in.w = V(c.WrD);
    in.cp = V(c.CprD);
    in.density = V(c.DenrD);
    in.viscosity = V(c.MrD);
    in.conductivity = V(c.LdrD);
    in.outerInner = V(c.doiD);
    in.innerOuter = V(c.dioD);
    in.hotFluid = IsHot(c.HTrD);
    in.coil = CoilOf(c);
    in.method = MethodOf(c);
    in.length = LengthOf(c);
    kernel::FilmResult r = kernel::AnnulusSinglePhase(in);
    CheckVelocity(c, r.flow, r.u, IsGas(c, in.density));
    s.annulusFlow = r.flow;
    Write(s, c.krD, r.h);
    Write(s, c.UrD, r.u);
    return StepOutcome::Continue;
}

StepOutcome StepAnnulusCondensing(Case& c, CalcState& s) {
    // The inner film comes from steps 4 and 5 of the previous pass.
    if (c.PhrD->currentIndex() != 1 ||
        !Need(s, {c.DenrD, c.LdrD, c.doiD, c.dioD, c.diiD, c.MrD, c.DHrD, c.Tr1D, c.Tr2D, c.Tt1D,
                  c.Tt2D, c.RsD, c.WrD, c.SlD}) ||
        !Filled(c.ktD))
        return StepOutcome::Continue;
    // An empty inner fouling resistance takes a usual clean-service figure.
    if (c.RtD->text().isEmpty())
        Write(s, c.RtD, 0.0002);
    else if (ColorOf(c.RtD) == clComputed)
        Confirm(s, c.RtD);
    kernel::AnnulusCondensingIn in;
    in.w = V(c.WrD);
    in.density = V(c.DenrD);
    in.viscosity = V(c.MrD);
    in.conductivity = V(c.LdrD);
    in.latentHeat = V(c.DHrD);
    in.outerInner = V(c.doiD);
    in.innerOuter = V(c.dioD);
    in.innerInner = V(c.diiD);
    in.tr1 = V(c.Tr1D);
    in.tr2 = V(c.Tr2D);
    in.tt1 = V(c.Tt1D);
    in.tt2 = V(c.Tt2D);
    in.rs = V(c.RsD);
    in.rt = V(c.RtD);
    in.innerFilm = V(c.ktD);
    in.wallConductivity = ConductivityOf(c.TmD);
    in.length = V(c.SlD);
    in.nonCondensable = s.yr;
    in.shape = ShapeOf(c);
    in.kettleLying = c.LayType->ItemIndex() == 1;
    in.coil = CoilOf(c);
    if (Filled(c.CprD)) in.cp = V(c.CprD);
    kernel::CondensingResult r = kernel::AnnulusCondensing(in);
    s.annulusFlow = r.flow;
    Write(s, c.krD, r.h);
    Write(s, c.UrD, r.u);
    if (Have(s, {c.UrD, c.DenrD, c.DrvD})) {
        const double uv = kernel::VapourVelocity(V(c.UrD), V(c.DenrD), V(c.DrvD));
        CheckVelocity(c, s.annulusFlow, uv, true);
        Write(s, c.UrvD, uv);
    }
    return StepOutcome::Continue;
}

StepOutcome StepInnerSinglePhase(Case& c, CalcState& s) {
    if (c.PhtD->currentIndex() != 0 || !Need(s, {c.LdtD, c.diiD, c.WtD, c.MtD, c.CptD, c.DentD}))
        return StepOutcome::Continue;
    kernel::InnerSinglePhaseIn in;
    in.w = V(c.WtD);
    in.cp = V(c.CptD);
    in.density = V(c.DentD);
    in.viscosity = V(c.MtD);
    in.conductivity = V(c.LdtD);
    in.innerInner = V(c.diiD);
    in.hotFluid = IsHot(c.HTtD);
    in.coil = CoilOf(c);
    in.method = MethodOf(c);
    in.length = LengthOf(c);
    kernel::FilmResult r = kernel::InnerSinglePhase(in);
    CheckVelocity(c, r.flow, r.u, IsGas(c, in.density));
    s.innerFlow = r.flow;
    Write(s, c.ktD, r.h);
    Write(s, c.UtD, r.u);
    return StepOutcome::Continue;
}

StepOutcome StepInnerCondensing(Case& c, CalcState& s) {
    if (c.PhtD->currentIndex() != 1) return StepOutcome::Continue;
    const kernel::FilmMethod method = MethodOf(c);
    if (method == kernel::FilmMethod::Regimes
            ? !Need(s, {c.diiD, c.WtD, c.DentD, c.CptD, c.MtD, c.LdtD, c.dtvD})
            : !Need(s, {c.diiD, c.WtD, c.DentD, c.Tt1D}))
        return StepOutcome::Continue;
    kernel::InnerCondensingIn in;
    in.method = method;
    in.w = V(c.WtD);
    in.density = V(c.DentD);
    in.innerInner = V(c.diiD);
    // The condensate's properties: all needed by Boyko–Kruzhilin, shown where known otherwise.
    if (Filled(c.CptD)) in.cp = V(c.CptD);
    if (Filled(c.MtD)) in.viscosity = V(c.MtD);
    if (Filled(c.LdtD)) in.conductivity = V(c.LdtD);
    if (Filled(c.dtvD)) in.vapourDensity = V(c.dtvD);
    if (method == kernel::FilmMethod::Original) {
        in.tt1 = V(c.Tt1D);
        in.haveDuty = AllFilled({c.LaD, c.QtD});
        if (in.haveDuty) {
            in.length = V(c.LaD);
            in.duty = V(c.QtD);
        }
    }
    in.coil = CoilOf(c);
    const kernel::FilmResult r = kernel::InnerCondensing(in);
    s.innerFlow = r.flow;
    Write(s, c.ktD, r.h);
    Write(s, c.UtD, r.u);
    if (Have(s, {c.UtD, c.DentD, c.dtvD})) {
        const double uv = kernel::VapourVelocity(V(c.UtD), V(c.DentD), V(c.dtvD));
        CheckVelocity(c, s.innerFlow, uv, true);
        Write(s, c.UtvD, uv);
    }
    return StepOutcome::Continue;
}

StepOutcome StepInsulation(Case& c, CalcState& s) {
    if (!Need(s, {c.dooD, c.krD, c.doiD, c.dioD, c.RsD, c.Tr1D, c.Tr2D, c.TaD}))
        return StepOutcome::Continue;
    kernel::InsulationIn in;
    in.outerOuter = V(c.dooD);
    in.annulusFilm = V(c.krD);
    in.outerInner = V(c.doiD);
    in.rs = V(c.RsD);
    in.shellConductivity = ConductivityOf(c.SmD);
    in.thickness = V(c.BpD); // not part of the test: an empty thickness is an error
    in.insulationConductivity = ConductivityOf(c.PmD);
    in.tr1 = V(c.Tr1D);
    in.tr2 = V(c.Tr2D);
    in.ta = V(c.TaD);
    const kernel::InsulationOut r = kernel::InsulationSurface(in);
    Write(s, c.TwD, r.tw);
    Write(s, c.KlD, r.kl);
    Write(s, c.TwaD, r.twa);
    return StepOutcome::Continue;
}

StepOutcome StepOverallCoefficient(Case& c, CalcState& s) {
    if (!Need(s, {c.RsD, c.dioD, c.doiD, c.diiD, c.krD, c.ktD, c.RtD}))
        return StepOutcome::Continue;
    kernel::OverallIn in;
    in.annulusFilm = V(c.krD);
    in.rs = V(c.RsD);
    in.innerOuter = V(c.dioD);
    in.innerInner = V(c.diiD);
    in.wallConductivity = ConductivityOf(c.TmD);
    in.innerFilm = V(c.ktD);
    in.rt = V(c.RtD);
    Write(s, c.KaD, kernel::OverallCoefficient(in));
    return StepOutcome::Continue;
}

StepOutcome StepSizing(Case& c, CalcState& s) {
    if (!Need(s, {c.QaD, c.KaD, c.AdtD, c.dioD, c.SlD})) return StepOutcome::Continue;
    kernel::SizingIn in;
    in.design = c.CalTypeD->currentIndex() == 0;
    if (!in.design && !Need(s, {c.mD})) return StepOutcome::EndCall;
    in.duty = V(c.QaD);
    in.overall = V(c.KaD);
    in.meanDiff = V(c.AdtD);
    in.margin = StrToFloat(c.CsminD->currentText()) / 100;
    in.innerOuter = V(c.dioD);
    in.length = V(c.SlD);
    in.shape = ShapeOf(c);
    in.pitchFilled = Filled(c.DspD);
    if (in.pitchFilled) in.pitch = V(c.DspD);
    if (!in.design) in.passes = V(c.mD);
    const kernel::SizingOut r = kernel::Size(in);
    // A new length that earlier steps read starts the pass again, once the heat loss of step 12
    // has followed it too, so that length, coefficients and loss settle together (in rating
    // mode nothing else would restart the pass). The driver bounds the passes.
    if (in.shape == Shape::Kettle) {
        // The needed wall height becomes the kettle height, an ordinary input once it agrees.
        if (Write(s, c.SlD, r.la)) {
            s.lengthChanged = true;
        } else {
            ClearComputed(c.SlD);
            c.SlD->SetSIValue(r.la);
        }
    }
    Write(s, c.CsD, r.cs);
    Write(s, c.AcD, r.ac);
    if (r.passes) Write(s, c.mD, *r.passes);
    Write(s, c.ArD, r.ar);
    // Film coefficients that depend on the length (developing laminar flow, the original
    // steam formula in the tube) read the length of the previous pass.
    const bool lengthRead = s.annulusFlow.usesLength || s.innerFlow.usesLength;
    if (Write(s, c.LaD, r.la) && lengthRead) s.lengthChanged = true;
    return StepOutcome::Continue;
}

StepOutcome StepHeatLoss(Case& c, CalcState& s) {
    const bool lengthChanged = std::exchange(s.lengthChanged, false); // from step 11
    const StepOutcome next = lengthChanged ? StepOutcome::Restart : StepOutcome::Continue;
    if (!Need(s, {c.KlD, c.dooD, c.LaD, c.Tr1D, c.Tr2D, c.TaD, c.QrD})) return next;
    const double tm = (V(c.Tr1D) + V(c.Tr2D)) / 2.0;
    const double ql = kernel::HeatLoss(V(c.KlD), V(c.dooD), V(c.LaD), tm, V(c.TaD));
    const double before = Filled(c.QLD) ? V(c.QLD) : 0.0;
    const double qr = V(c.QrD);
    Write(s, c.QLD, ql);
    Write(s, c.HLPD, kernel::HeatLossShare(ql, qr));
    // The loss enters the heat balance of step 7: when it moved the balance by the results'
    // tolerance of the duty or more, the pass starts again so that a solved quantity follows it
    // within this call and what is shown belongs together.
    return std::fabs(ql - before) >= kResultTolerance * std::fabs(qr) ? StepOutcome::Restart : next;
}

StepOutcome StepPressureDrop(Case& c, CalcState& s) {
    if (!Need(s, {c.DenrD, c.doiD, c.dioD, c.WrD, c.MrD, c.ErD, c.mD, c.SlD, c.WtD, c.DentD, c.diiD,
                  c.MtD, c.EtD}))
        return StepOutcome::EndCallProgress;
    const TParamStore& p = ParamsOf(c);
    const Shape shape = ShapeOf(c);
    const bool pitch = Filled(c.DspD);

    bool annulus = true;
    kernel::AnnulusDropIn a;
    if (c.PhrD->currentIndex() == 1) {
        annulus = Have(s, {c.DrvD, c.MrvD});
        if (annulus) {
            a.density = V(c.DrvD);
            a.viscosity = V(c.MrvD);
        }
    } else {
        a.density = V(c.DenrD);
        a.viscosity = V(c.MrD);
    }
    if (annulus) {
        a.outerInner = V(c.doiD);
        a.innerOuter = V(c.dioD);
        a.roughness = V(c.ErD);
        a.w = V(c.WrD);
        a.passes = V(c.mD);
        a.length = V(c.SlD);
        a.shape = shape;
        a.pitchFilled = pitch;
        if (pitch) a.pitch = V(c.DspD);
        a.method = MethodOf(c);
        const double zeta = p.Number(paramkey::kAnnulusEntry) + p.Number(paramkey::kAnnulusExit);
        if (const auto dp = kernel::AnnulusPressureDrop(a, zeta)) Write(s, c.DpsD, *dp);
    }

    kernel::InnerDropIn t;
    if (c.PhtD->currentIndex() == 1) {
        if (!Need(s, {c.dtvD, c.MtvD})) return StepOutcome::EndCallProgress;
        t.density = V(c.dtvD);
        t.viscosity = V(c.MtvD);
    } else {
        t.density = V(c.DentD);
        t.viscosity = V(c.MtD);
    }
    t.w = V(c.WtD);
    t.innerInner = V(c.diiD);
    t.innerOuter = V(c.dioD);
    t.roughness = V(c.EtD);
    t.passes = V(c.mD);
    t.length = V(c.SlD);
    t.shape = shape;
    t.pitchFilled = pitch;
    if (pitch) t.pitch = V(c.DspD);
    const auto dp = kernel::InnerPressureDrop(t, p.Number(paramkey::kUBend));
    if (dp && Write(s, c.DptD, *dp)) return StepOutcome::Restart;
    return StepOutcome::EndCallProgress;
}

} // namespace tubalon
