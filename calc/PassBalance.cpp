// Steps 7 to 9: heat-balance completion, side duties, mean temperature difference.
#include "calc/HeatBalance.h"
#include "calc/PassSteps.h"

#include "model/NumberText.h"
#include "units/Errors.h"

#include <cmath>
#include <functional>

namespace tubalon::engine {

using model::Control;
using model::Provenance;
using model::Side;

namespace {

constexpr double kSolvedTolerance = 0.000002;

// What a quantity of a balance is, for the checks of a solved value.
enum class Quantity { Flow, SpecificHeat, LatentHeat, Inlet, Outlet };

struct BalanceItem {
    Field field;
    Quantity quantity;
    bool annulus;
};

// The temperatures of one sensible side; NaN where the side condenses or a value is unknown.
struct SideTemperatures {
    double in = std::nan(""), out = std::nan("");
    bool sensible = false;
};

bool Blank(const CaseData& d, Field f) {
    return model::TrimBlanks(d.Text(f)).empty();
}

// "外管质量流量", "内管比热": the quantity as a message names it.
QString NameOf(const CaseData& d, const BalanceItem& item) {
    return (item.annulus ? QStringLiteral("外管") : QStringLiteral("内管")) +
           FieldCaption(d, item.field);
}

double FieldValue(const Pass& p, Field f) {
    return Blank(p.d, f) ? std::nan("") : V(p, f);
}

// The reason why a balance's values, one of them solved, cannot belong to an exchanger; empty
// when they can. A condensing side is the hot one; its inlet (the saturation temperature)
// counts where it is known.
QString Unphysical(const Pass& p, const std::vector<BalanceItem>& items,
                   const std::vector<double>& v, int solved) {
    SideTemperatures r, t;
    for (size_t i = 0; i < items.size(); ++i) {
        SideTemperatures& side = items[i].annulus ? r : t;
        if (items[i].quantity == Quantity::Inlet) side.in = v[i], side.sensible = true;
        if (items[i].quantity == Quantity::Outlet) side.out = v[i], side.sensible = true;
    }
    if (!r.sensible) r.in = FieldValue(p, Field::Tr1D);
    if (!t.sensible) t.in = FieldValue(p, Field::Tt1D);
    const BalanceItem& x = items[static_cast<size_t>(solved)];
    const QString name = NameOf(p.d, x);
    QString why;
    const bool annulusHot = !r.sensible || (t.sensible && r.in > t.in);
    const SideTemperatures& hot = annulusHot ? r : t;
    const SideTemperatures& cold = annulusHot ? t : r;
    if (r.sensible && t.sensible && r.in == t.in)
        why = QStringLiteral("两侧流体入口温度相同");
    else if (hot.sensible && hot.out > hot.in)
        why = QStringLiteral("热流体出口温度高于入口温度");
    else if (cold.sensible && cold.out < cold.in)
        why = QStringLiteral("冷流体出口温度低于入口温度");
    else if (hot.sensible && hot.out < cold.in)
        why = QStringLiteral("热流体出口温度低于冷流体入口温度");
    else if (cold.sensible && cold.out > hot.in)
        why = QStringLiteral("冷流体出口温度高于热流体入口温度");
    if (!why.isEmpty()) return QStringLiteral("%1，%2无法由热量平衡求出！").arg(why, name);
    if (x.quantity != Quantity::Inlet && x.quantity != Quantity::Outlet &&
        !(v[static_cast<size_t>(solved)] > 0))
        return QStringLiteral("热量平衡求得的%1不大于零，请检查输入数据！").arg(name);
    return {};
}

// Solves the one missing quantity of a balance, or solves the solved one again; true when a
// field changed. A value that cannot belong to an exchanger is refused: the field is left an
// empty input and the call ends with the reason.
bool SolveBalance(Pass& p, const std::vector<BalanceItem>& items,
                  const std::function<double(const std::vector<double>&)>& residual) {
    CaseData& d = p.d;
    int empty = 0, e = -1, y = -1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const Field f = items[static_cast<size_t>(i)].field;
        if (Blank(d, f)) {
            ++empty;
            e = i;
        }
        if (d.ProvenanceOf(f) == Provenance::Solved) y = i;
    }
    if (empty > 1) return false;
    std::vector<double> v(items.size(), 0.0);
    for (size_t i = 0; i < items.size(); ++i)
        if (!Blank(d, items[i].field)) v[i] = V(p, items[i].field);
    int solved = -1;
    double start = 1.2345;
    if (empty == 1) {
        if (y >= 0) return d.ClearResult(items[static_cast<size_t>(y)].field);
        solved = e;
    } else {
        if (y < 0) return false;
        solved = y;
        start = v[static_cast<size_t>(y)];
    }
    const BalanceItem& item = items[static_cast<size_t>(solved)];
    const auto refuse = [&](const QString& why) {
        d.ClearResult(item.field);
        // The earlier steps of this pass read the value that is now refused: their results
        // go with it.
        if (empty == 0) p.s.confirmed.reset();
        throw ECalcError(why);
    };
    double x = start;
    try {
        x = SolveForValue(v, solved, residual, 0.0001, start);
    } catch (const ECalcError& err) {
        refuse(err.message());
    }
    v[static_cast<size_t>(solved)] = x;
    if (const QString why = Unphysical(p, items, v, solved); !why.isEmpty()) refuse(why);
    // A quantity the balance does not depend on (a flow beside equal inlet and outlet
    // temperatures, a cp beside a zero flow) is not determined by it: the iteration would
    // stop at its start value.
    std::vector<double> probe = v;
    probe[static_cast<size_t>(solved)] = 2 * x + 1;
    if (residual(probe) == residual(v))
        refuse(QStringLiteral("热量平衡与%1无关（进出口温度相同或流量为零），无法由热量平衡求出！")
                   .arg(NameOf(d, item)));
    return Write(p, item.field, x, Provenance::Solved, kSolvedTolerance);
}

// LarD, LatD as a fraction: 0 when empty; a text that is not a number is an error.
double ShareOf(const CaseData& d, Side side) {
    if (const std::optional<double> y = d.nonCondensableShare(side)) return *y;
    const std::string_view t =
        model::TrimBlanks(d.Text(side == Side::Annulus ? Control::LarD : Control::LatD));
    throw EConvertError(QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
}

} // namespace

StepOutcome StepBalanceCompletion(Pass& p) {
    CaseData& d = p.d;
    using F = Field;
    d.memory.heldHeatLoss = d.Filled(F::QLD) ? V(p, F::QLD) : 0;
    const int phr = d.Choice(Control::PhrD);
    const int pht = d.Choice(Control::PhtD);
    const double QL = d.memory.heldHeatLoss;
    if (phr == 0 && pht == 0) {
        if (SolveBalance(p,
                         {{F::WrD, Quantity::Flow, true},
                          {F::CprD, Quantity::SpecificHeat, true},
                          {F::Tr1D, Quantity::Inlet, true},
                          {F::Tr2D, Quantity::Outlet, true},
                          {F::WtD, Quantity::Flow, false},
                          {F::CptD, Quantity::SpecificHeat, false},
                          {F::Tt1D, Quantity::Inlet, false},
                          {F::Tt2D, Quantity::Outlet, false}},
                         [QL](const std::vector<double>& v) { return BalanceSensibleBoth(v, QL); }))
            return StepOutcome::Restart;
    }
    d.memory.innerShare = ShareOf(d, Side::Inner);
    if (phr == 0 && pht == 1) {
        const double yt = d.memory.innerShare;
        if (SolveBalance(p,
                         {{F::WrD, Quantity::Flow, true},
                          {F::CprD, Quantity::SpecificHeat, true},
                          {F::Tr1D, Quantity::Inlet, true},
                          {F::Tr2D, Quantity::Outlet, true},
                          {F::WtD, Quantity::Flow, false},
                          {F::DHtD, Quantity::LatentHeat, false}},
                         [QL, yt](const std::vector<double>& v) {
                             return BalanceTubeCondensing(v, QL, yt);
                         }))
            return StepOutcome::Restart;
    }
    d.memory.annulusShare = ShareOf(d, Side::Annulus);
    if (phr == 1 && pht == 0) {
        const double yr = d.memory.annulusShare;
        if (SolveBalance(p,
                         {{F::WrD, Quantity::Flow, true},
                          {F::DHrD, Quantity::LatentHeat, true},
                          {F::WtD, Quantity::Flow, false},
                          {F::CptD, Quantity::SpecificHeat, false},
                          {F::Tt1D, Quantity::Inlet, false},
                          {F::Tt2D, Quantity::Outlet, false}},
                         [QL, yr](const std::vector<double>& v) {
                             return BalanceAnnulusCondensing(v, QL, yr);
                         }))
            return StepOutcome::Restart;
    }
    // A solved value that the balance of this pass did not solve again belongs to other
    // inputs. With both sides condensing there is no balance: solved values stay as they are.
    const bool noBalance = phr == 1 && pht == 1;
    for (Field f :
         {F::WrD, F::CprD, F::Tr1D, F::Tr2D, F::WtD, F::CptD, F::Tt1D, F::Tt2D, F::DHrD, F::DHtD})
        if (d.ProvenanceOf(f) == Provenance::Solved && !p.s.confirmed.test(model::Index(f)) &&
            d.Filled(f)) {
            if (noBalance)
                Confirm(p, f);
            else
                d.ClearResult(f);
        }
    return StepOutcome::Continue;
}

StepOutcome StepDuties(Pass& p) {
    using F = Field;
    const CaseData& d = p.d;
    const int phr = d.Choice(Control::PhrD);
    const int pht = d.Choice(Control::PhtD);
    if (phr == 0 && AllFilled(p, {F::WrD, F::CprD, F::Tr1D, F::Tr2D})) {
        const double Qr = V(p, F::WrD) * V(p, F::CprD) * (V(p, F::Tr2D) - V(p, F::Tr1D));
        Write(p, F::QrD, Qr);
    } else if (phr == 1 && AllFilled(p, {F::WrD, F::DHrD})) {
        Write(p, F::QrD, -V(p, F::WrD) * V(p, F::DHrD));
    }
    std::optional<double> Qt;
    if (pht == 0 && AllFilled(p, {F::WtD, F::CptD, F::Tt1D, F::Tt2D}))
        Qt = V(p, F::WtD) * V(p, F::CptD) * (V(p, F::Tt2D) - V(p, F::Tt1D));
    else if (pht == 1 && AllFilled(p, {F::WtD, F::DHtD}))
        Qt = -V(p, F::WtD) * V(p, F::DHtD);
    if (Qt) {
        Write(p, F::QtD, *Qt);
        Write(p, F::QaD, std::fabs(*Qt));
    }
    return StepOutcome::Continue;
}

StepOutcome StepMeanTemperature(Pass& p) {
    using F = Field;
    CaseData& d = p.d;
    const bool filled = AllFilled(p, {F::Tr1D, F::Tr2D, F::Tt1D, F::Tt2D});
    const bool changed = d.memory.temperaturesChanged || d.memory.flowChanged;
    // Computed again when the temperatures or the flow type changed, or when it is empty.
    if (filled && (changed || !d.Filled(F::AdtD))) {
        d.memory.flowChanged = false;
        const MeanTemperature m =
            MeanTemperatureDifference(d.Choice(Control::FlowType) == 1 ? 1 : 0, V(p, F::Tr1D),
                                      V(p, F::Tr2D), V(p, F::Tt1D), V(p, F::Tt2D));
        const std::string_view hot = "热流体", cold = "冷流体";
        d.SetText(Control::HTtD, m.annulusHot ? cold : hot);
        d.SetText(Control::HTrD, m.annulusHot ? hot : cold);
        d.memory.temperaturesChanged = false;
        if (m.dtm) {
            Write(p, F::AdtD, *m.dtm);
        } else {
            d.SetText(F::AdtD, {});
            const QString cross =
                QStringLiteral("温度交叉：两端温差符号不同或为零，无法计算平均温度差！");
            // Told once when the temperatures change.
            if (changed && !p.s.warnings.contains(cross)) p.s.warnings << cross;
            NoteLack(p.s, cross);
        }
    } else if (filled) {
        // Computed from the temperatures shown, which have not changed since.
        Confirm(p, F::AdtD);
    }
    if (!filled) {
        d.SetText(Control::HTtD, {});
        d.SetText(Control::HTrD, {});
    }
    return StepOutcome::Continue;
}

} // namespace tubalon::engine
