// Steps 7 to 9: heat-balance completion, side duties, mean temperature difference.
#include "calc/HeatBalance.h"
#include "calc/Steps.h"

#include "units/Colors.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"
#include "units/Tools2.h"

#include <QComboBox>
#include <QLineEdit>
#include <cmath>

namespace tubalon {

double ShareOf(const QLineEdit* edit) {
    if (!edit || edit->text().isEmpty()) return 0;
    return StrToFloat(edit->text()) / 100;
}

namespace {

constexpr double kSolvedTolerance = 0.000002;

// What a quantity of a balance is, for the checks of a solved value.
enum class Quantity { Flow, SpecificHeat, LatentHeat, Inlet, Outlet };

struct BalanceItem {
    TEditD* field;
    Quantity quantity;
    bool annulus;
};

// The temperatures of one sensible side; NaN where the side condenses or a value is unknown.
struct SideTemperatures {
    double in = std::nan(""), out = std::nan("");
    bool sensible = false;
};

// "外管质量流量", "内管比热": the quantity as a message names it.
QString NameOf(const BalanceItem& item) {
    return (item.annulus ? QStringLiteral("外管") : QStringLiteral("内管")) + item.field->Caption();
}

double FieldValue(const TEditD* f) {
    return TrimText(f->text()).isEmpty() ? std::nan("") : f->GetSIValue();
}

// The reason why a balance's values, one of them solved, cannot belong to an exchanger; empty
// when they can. A condensing side is the hot one; its inlet (the saturation temperature)
// counts where it is known.
QString Unphysical(const Case& c, const std::vector<BalanceItem>& items,
                   const std::vector<double>& v, int solved) {
    SideTemperatures r, t;
    for (size_t i = 0; i < items.size(); ++i) {
        SideTemperatures& side = items[i].annulus ? r : t;
        if (items[i].quantity == Quantity::Inlet) side.in = v[i], side.sensible = true;
        if (items[i].quantity == Quantity::Outlet) side.out = v[i], side.sensible = true;
    }
    if (!r.sensible) r.in = FieldValue(c.Tr1D);
    if (!t.sensible) t.in = FieldValue(c.Tt1D);
    const BalanceItem& x = items[static_cast<size_t>(solved)];
    const QString name = NameOf(x);
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

// Solves the one missing quantity of a balance, or solves the solved one again. A value that
// cannot belong to an exchanger is refused: the field is left an empty input and the call
// ends with the reason.
TEditD* SolveBalance(const Case& c, CalcState& s, const std::vector<BalanceItem>& items,
                     const std::function<double(const std::vector<double>&)>& residual) {
    constexpr int color = clSolved;
    int empty = 0, e = -1, y = -1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        TEditD* f = items[static_cast<size_t>(i)].field;
        if (TrimText(f->text()).isEmpty()) {
            ++empty;
            e = i;
        }
        if (ColorOf(f) == color && f->MyResolved()) y = i;
    }
    if (empty > 1) return nullptr;
    std::vector<double> v(items.size(), 0.0);
    for (size_t i = 0; i < items.size(); ++i)
        if (!TrimText(items[i].field->text()).isEmpty()) v[i] = items[i].field->GetSIValue();
    int solved = -1;
    double start = 1.2345;
    if (empty == 1) {
        if (y >= 0) return ClearComputed(items[static_cast<size_t>(y)].field);
        if (!items[static_cast<size_t>(e)].field->MyResolved()) return nullptr;
        solved = e;
    } else {
        if (y < 0) return nullptr;
        solved = y;
        start = v[static_cast<size_t>(y)];
    }
    TEditD* f = items[static_cast<size_t>(solved)].field;
    const auto refuse = [&](const QString& why) {
        ClearComputed(f);
        // The earlier steps of this pass read the value that is now refused: their results
        // go with it.
        if (empty == 0) s.confirmed.clear();
        throw ECalcError(why);
    };
    double x = start;
    try {
        x = SolveForValue(v, solved, residual, 0.0001, start);
    } catch (const ECalcError& e) {
        refuse(e.message());
    }
    v[static_cast<size_t>(solved)] = x;
    if (const QString why = Unphysical(c, items, v, solved); !why.isEmpty()) refuse(why);
    // A quantity the balance does not depend on (a flow beside equal inlet and outlet
    // temperatures, a cp beside a zero flow) is not determined by it: the iteration would
    // stop at its start value.
    std::vector<double> probe = v;
    probe[static_cast<size_t>(solved)] = 2 * x + 1;
    if (residual(probe) == residual(v))
        refuse(QStringLiteral("热量平衡与%1无关（进出口温度相同或流量为零），无法由热量平衡求出！")
                   .arg(NameOf(items[static_cast<size_t>(solved)])));
    return WriteResult(s, f, color, kSolvedTolerance, x);
}

} // namespace

StepOutcome StepBalanceCompletion(Case& c, CalcState& s) {
    s.QL = c.QLD->text().isEmpty() ? 0 : c.QLD->GetSIValue();
    const int phr = c.PhrD->currentIndex();
    const int pht = c.PhtD->currentIndex();
    const double QL = s.QL;
    if (phr == 0 && pht == 0) {
        if (SolveBalance(c, s,
                         {{c.WrD, Quantity::Flow, true},
                          {c.CprD, Quantity::SpecificHeat, true},
                          {c.Tr1D, Quantity::Inlet, true},
                          {c.Tr2D, Quantity::Outlet, true},
                          {c.WtD, Quantity::Flow, false},
                          {c.CptD, Quantity::SpecificHeat, false},
                          {c.Tt1D, Quantity::Inlet, false},
                          {c.Tt2D, Quantity::Outlet, false}},
                         [QL](const std::vector<double>& v) { return BalanceSensibleBoth(v, QL); }))
            return StepOutcome::Restart;
    }
    s.yt = ShareOf(c.LatD);
    if (phr == 0 && pht == 1) {
        const double yt = s.yt;
        if (SolveBalance(c, s,
                         {{c.WrD, Quantity::Flow, true},
                          {c.CprD, Quantity::SpecificHeat, true},
                          {c.Tr1D, Quantity::Inlet, true},
                          {c.Tr2D, Quantity::Outlet, true},
                          {c.WtD, Quantity::Flow, false},
                          {c.DHtD, Quantity::LatentHeat, false}},
                         [QL, yt](const std::vector<double>& v) {
                             return BalanceTubeCondensing(v, QL, yt);
                         }))
            return StepOutcome::Restart;
    }
    s.yr = ShareOf(c.LarD);
    if (phr == 1 && pht == 0) {
        const double yr = s.yr;
        if (SolveBalance(c, s,
                         {{c.WrD, Quantity::Flow, true},
                          {c.DHrD, Quantity::LatentHeat, true},
                          {c.WtD, Quantity::Flow, false},
                          {c.CptD, Quantity::SpecificHeat, false},
                          {c.Tt1D, Quantity::Inlet, false},
                          {c.Tt2D, Quantity::Outlet, false}},
                         [QL, yr](const std::vector<double>& v) {
                             return BalanceAnnulusCondensing(v, QL, yr);
                         }))
            return StepOutcome::Restart;
    }
    // A solved value that the balance of this pass did not solve again belongs to other
    // inputs. With both sides condensing there is no balance: solved values stay as they are.
    const bool noBalance = phr == 1 && pht == 1;
    for (TEditD* f : {c.WrD, c.CprD, c.Tr1D, c.Tr2D, c.WtD, c.CptD, c.Tt1D, c.Tt2D, c.DHrD, c.DHtD})
        if (ColorOf(f) == clSolved && !s.confirmed.contains(f) && !f->text().isEmpty()) {
            if (noBalance)
                Confirm(s, f);
            else
                ClearComputed(f);
        }
    return StepOutcome::Continue;
}

StepOutcome StepDuties(Case& c, CalcState& s) {
    const int phr = c.PhrD->currentIndex();
    const int pht = c.PhtD->currentIndex();
    if (phr == 0 && AllFilled({c.WrD, c.CprD, c.Tr1D, c.Tr2D})) {
        const double Qr = c.WrD->GetSIValue() * c.CprD->GetSIValue() *
                          (c.Tr2D->GetSIValue() - c.Tr1D->GetSIValue());
        WriteResult(s, c.QrD, clComputed, kResultTolerance, Qr);
    } else if (phr == 1 && AllFilled({c.WrD, c.DHrD})) {
        WriteResult(s, c.QrD, clComputed, kResultTolerance,
                    -c.WrD->GetSIValue() * c.DHrD->GetSIValue());
    }
    std::optional<double> Qt;
    if (pht == 0 && AllFilled({c.WtD, c.CptD, c.Tt1D, c.Tt2D}))
        Qt = c.WtD->GetSIValue() * c.CptD->GetSIValue() *
             (c.Tt2D->GetSIValue() - c.Tt1D->GetSIValue());
    else if (pht == 1 && AllFilled({c.WtD, c.DHtD}))
        Qt = -c.WtD->GetSIValue() * c.DHtD->GetSIValue();
    if (Qt) {
        WriteResult(s, c.QtD, clComputed, kResultTolerance, *Qt);
        WriteResult(s, c.QaD, clComputed, kResultTolerance, std::fabs(*Qt));
    }
    return StepOutcome::Continue;
}

StepOutcome StepMeanTemperature(Case& c, CalcState& s) {
    const bool filled = AllFilled({c.Tr1D, c.Tr2D, c.Tt1D, c.Tt2D});
    const bool changed = s.temperaturesChanged || s.flowTypeChanged;
    // Computed again when the temperatures or the flow type changed, or when it is empty.
    if (filled && (changed || c.AdtD->text().isEmpty())) {
        s.flowTypeChanged = false;
        const MeanTemperature m = MeanTemperatureDifference(
            c.FlowType->ItemIndex() == 1 ? 1 : 0, c.Tr1D->GetSIValue(), c.Tr2D->GetSIValue(),
            c.Tt1D->GetSIValue(), c.Tt2D->GetSIValue());
        const QString hot = QStringLiteral("热流体"), cold = QStringLiteral("冷流体");
        c.HTtD->setText(m.annulusHot ? cold : hot);
        c.HTrD->setText(m.annulusHot ? hot : cold);
        s.temperaturesChanged = false;
        if (m.dtm) {
            WriteResult(s, c.AdtD, clComputed, kResultTolerance, *m.dtm);
        } else {
            c.AdtD->setText(QString());
            const QString cross =
                QStringLiteral("温度交叉：两端温差符号不同或为零，无法计算平均温度差！");
            // Told once when the temperatures change.
            if (changed && !s.warnings.contains(cross)) s.warnings << cross;
            NoteLack(s, cross);
        }
    } else if (filled) {
        // Computed from the temperatures shown, which have not changed since.
        Confirm(s, c.AdtD);
    }
    if (!filled) {
        c.HTtD->setText(QString());
        c.HTrD->setText(QString());
    }
    return StepOutcome::Continue;
}

} // namespace tubalon
