#include "calc/Driver.h"

#include "calc/Steps.h"

#include "units/Colors.h"
#include "units/EditD.h"
#include "units/Tools2.h"

namespace tubalon {

const std::vector<PassStep>& PassSteps() {
    static const std::vector<PassStep> steps = {
        {1, "automatic pipe choice", StepAutoPipes},
        {2, "annulus single-phase film", StepAnnulusSinglePhase},
        {3, "annulus condensing film", StepAnnulusCondensing},
        {4, "inner single-phase film", StepInnerSinglePhase},
        {5, "inner condensing film", StepInnerCondensing},
        {6, "insulation and outer wall", StepInsulation},
        {7, "heat-balance completion", StepBalanceCompletion},
        {8, "side duties", StepDuties},
        {9, "mean temperature difference", StepMeanTemperature},
        {10, "overall coefficient", StepOverallCoefficient},
        {11, "area, length, passes, margin", StepSizing},
        {12, "heat loss", StepHeatLoss},
        {13, "pressure drops", StepPressureDrop},
    };
    return steps;
}

namespace {

bool IsComputed(const TEditD* f) {
    return ColorOf(f) == clComputed;
}

// "缺少数据：质量流量（外管）": the field's caption and the side of its group.
QString LackOf(const TEditD* f) {
    QString side;
    if (const QWidget* box = f->parentWidget()) {
        const QString group = box->objectName();
        if (group == QStringLiteral("GBShellParams") || group == QStringLiteral("GBShellProps"))
            side = QStringLiteral("外管");
        else if (group == QStringLiteral("GBTubeProps") || group == QStringLiteral("GBTubeParams"))
            side = QStringLiteral("内管");
    }
    return side.isEmpty() ? QStringLiteral("缺少数据：%1").arg(f->Caption())
                          : QStringLiteral("缺少数据：%1（%2）").arg(f->Caption(), side);
}

// Empties the computed and solved fields that `kept` does not hold: a computed one keeps its
// look (it stays a result), a solved one becomes an empty input that the balance solves again.
void DropUnconfirmed(Case& c, const QSet<const TEditD*>& kept) {
    TEditD* const fields[] = {
#define TUBALON_FIELD_POINTER(name) c.name,
        TUBALON_CASE_FIELDS(TUBALON_FIELD_POINTER)
#undef TUBALON_FIELD_POINTER
    };
    for (TEditD* f : fields) {
        // A disabled field belongs to no side or shape of the case now; it keeps its text.
        if (!f || !f->isEnabled() || f->text().isEmpty() || kept.contains(f)) continue;
        const int color = ColorOf(f);
        if (color == clSolved) {
            ClearComputed(f);
        } else if (color == clComputed) {
            f->setText(QString());
        }
    }
}

} // namespace

TEditD* WriteResult(CalcState& s, TEditD* field, int color, double tolerance, double v) {
    TEditD* written = SetComputed(field, color, tolerance, v);
    Confirm(s, field);
    return written;
}

void Confirm(CalcState& s, const TEditD* field) {
    s.confirmed.insert(field);
    s.confirmedInCall.insert(field);
}

bool Have(const CalcState& s, std::initializer_list<const TEditD*> fields) {
    for (const TEditD* f : fields)
        if (f->text().isEmpty() || (IsComputed(f) && !s.confirmed.contains(f))) return false;
    return true;
}

bool Need(CalcState& s, std::initializer_list<const TEditD*> fields) {
    for (const TEditD* f : fields)
        if (f->text().isEmpty() || (IsComputed(f) && !s.confirmed.contains(f))) {
            NoteLack(s, LackOf(f));
            return false;
        }
    return true;
}

void NoteLack(CalcState& s, const QString& why) {
    if (s.lack.isEmpty()) s.lack = why;
}

CalcResult RunCalculation(Case& c, CalcState& s) {
    CalcResult r;
    s.k = 0;
    s.incomplete.clear();
    s.warnings.clear();
    s.confirmedInCall.clear();
    const auto& steps = PassSteps();
    // The call's end: what the last pass did not confirm goes.
    auto finish = [&](bool ended) {
        DropUnconfirmed(c, s.confirmed);
        if (ended && s.lack.isEmpty()) NoteLack(s, QStringLiteral("计算提前结束"));
        s.incomplete = s.lack;
        r.complete = s.incomplete.isEmpty();
        return r;
    };
    try {
        while (r.passes < kMaxPasses) {
            ++r.passes;
            s.confirmed.clear();
            s.lack.clear();
            bool restart = false;
            for (const PassStep& step : steps) {
                const StepOutcome o = step.run(c, s);
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
        DropUnconfirmed(c, s.confirmed);
        s.incomplete = QString::fromUtf8(e.what());
        throw;
    } catch (...) {
        DropUnconfirmed(c, s.confirmed);
        s.incomplete = QStringLiteral("发生未知错误。");
        throw;
    }
    // The pass bound: the last results of each step stay, as the notice says.
    r.boundHit = true;
    r.progress = true;
    DropUnconfirmed(c, s.confirmedInCall);
    s.incomplete.clear();
    r.complete = true;
    return r;
}

} // namespace tubalon
