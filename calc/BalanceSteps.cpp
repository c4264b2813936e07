// Steps 7 to 9: heat-balance completion, side duties, mean temperature difference.
#include "calc/HeatBalance.h"
#include "calc/Steps.h"

#include "units/Colors.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/Messages.h"
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

TEditD* SolveBalance(const std::vector<TEditD*>& list, int color,
                     const std::function<double(const std::vector<double>&)>& residual) {
    int empty = 0, e = -1, y = -1;
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        TEditD* f = list[static_cast<size_t>(i)];
        if (TrimText(f->text()).isEmpty()) {
            ++empty;
            e = i;
        }
        if (ColorOf(f) == color && f->MyResolved()) y = i;
    }
    if (empty > 1) return nullptr;
    try {
        std::vector<double> v(list.size(), 0.0);
        for (size_t i = 0; i < list.size(); ++i)
            if (!TrimText(list[i]->text()).isEmpty()) v[i] = list[i]->GetSIValue();
        if (empty == 1) {
            if (y >= 0) return ClearComputed(list[static_cast<size_t>(y)]);
            TEditD* f = list[static_cast<size_t>(e)];
            if (!f->MyResolved()) return nullptr;
            const double x = SolveForValue(v, e, residual, 0.0001, 1.2345);
            return SetComputed(f, color, kSolvedTolerance, x);
        }
        if (y < 0) return nullptr;
        TEditD* f = list[static_cast<size_t>(y)];
        const double x = SolveForValue(v, y, residual, 0.0001, v[static_cast<size_t>(y)]);
        return SetComputed(f, color, kSolvedTolerance, x);
    } catch (const std::exception&) {
        ShowMessage(list.front()->window(), MsgKind::Warning, QStringLiteral("警告"),
                    QStringLiteral("发现错误，可能是输入数据错误！"));
        throw;
    }
}

} // namespace

StepOutcome StepBalanceCompletion(Case& c, CalcState& s) {
    s.QL = c.QLD->text().isEmpty() ? 0 : c.QLD->GetSIValue();
    const int phr = c.PhrD->currentIndex();
    const int pht = c.PhtD->currentIndex();
    const double QL = s.QL;
    if (phr == 0 && pht == 0) {
        if (SolveBalance({c.WrD, c.CprD, c.Tr1D, c.Tr2D, c.WtD, c.CptD, c.Tt1D, c.Tt2D}, clSolved,
                         [QL](const std::vector<double>& v) { return BalanceSensibleBoth(v, QL); }))
            return StepOutcome::Restart;
    }
    s.yt = ShareOf(c.LatD);
    if (phr == 0 && pht == 1) {
        const double yt = s.yt;
        if (SolveBalance({c.WrD, c.CprD, c.Tr1D, c.Tr2D, c.WtD, c.DHtD}, clSolved,
                         [QL, yt](const std::vector<double>& v) {
                             return BalanceTubeCondensing(v, QL, yt);
                         }))
            return StepOutcome::Restart;
    }
    s.yr = ShareOf(c.LarD);
    if (phr == 1 && pht == 0) {
        const double yr = s.yr;
        if (SolveBalance({c.WrD, c.DHrD, c.WtD, c.CptD, c.Tt1D, c.Tt2D}, clSolved,
                         [QL, yr](const std::vector<double>& v) {
                             return BalanceAnnulusCondensing(v, QL, yr);
                         }))
            return StepOutcome::Restart;
    }
    return StepOutcome::Continue;
}

StepOutcome StepDuties(Case& c, CalcState&) {
    const int phr = c.PhrD->currentIndex();
    const int pht = c.PhtD->currentIndex();
    if (phr == 0 && AllFilled({c.WrD, c.CprD, c.Tr1D, c.Tr2D})) {
        const double Qr = c.WrD->GetSIValue() * c.CprD->GetSIValue() *
                          (c.Tr2D->GetSIValue() - c.Tr1D->GetSIValue());
        SetComputed(c.QrD, clComputed, kResultTolerance, Qr);
    } else if (phr == 1 && AllFilled({c.WrD, c.DHrD})) {
        SetComputed(c.QrD, clComputed, kResultTolerance,
                    -c.WrD->GetSIValue() * c.DHrD->GetSIValue());
    }
    std::optional<double> Qt;
    if (pht == 0 && AllFilled({c.WtD, c.CptD, c.Tt1D, c.Tt2D}))
        Qt = c.WtD->GetSIValue() * c.CptD->GetSIValue() *
             (c.Tt2D->GetSIValue() - c.Tt1D->GetSIValue());
    else if (pht == 1 && AllFilled({c.WtD, c.DHtD}))
        Qt = -c.WtD->GetSIValue() * c.DHtD->GetSIValue();
    if (Qt) {
        SetComputed(c.QtD, clComputed, kResultTolerance, *Qt);
        SetComputed(c.QaD, clComputed, kResultTolerance, std::fabs(*Qt));
    }
    return StepOutcome::Continue;
}

StepOutcome StepMeanTemperature(Case& c, CalcState& s) {
    const bool filled = AllFilled({c.Tr1D, c.Tr2D, c.Tt1D, c.Tt2D});
    if (filled && (s.temperaturesChanged || s.flowTypeChanged)) {
        s.flowTypeChanged = false;
        const MeanTemperature m = MeanTemperatureDifference(
            c.FlowType->ItemIndex() == 1 ? 1 : 0, c.Tr1D->GetSIValue(), c.Tr2D->GetSIValue(),
            c.Tt1D->GetSIValue(), c.Tt2D->GetSIValue());
        const QString hot = QStringLiteral("热流体"), cold = QStringLiteral("冷流体");
        c.HTtD->setText(m.annulusHot ? cold : hot);
        c.HTrD->setText(m.annulusHot ? hot : cold);
        s.temperaturesChanged = false;
        if (m.dtm) {
            SetComputed(c.AdtD, clComputed, kResultTolerance, *m.dtm);
        } else {
            c.AdtD->setText(QString());
            ShowMessage(c.AdtD->window(), MsgKind::Warning, QStringLiteral("警告"),
                        QStringLiteral("温度交叉：两端温差符号不同或为零，无法计算平均温度差！"));
        }
    }
    if (!filled) {
        c.HTtD->setText(QString());
        c.HTrD->setText(QString());
    }
    return StepOutcome::Continue;
}

} // namespace tubalon
