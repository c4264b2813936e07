#include "props/PropLimits.h"

#include "props/Iapws97.h"
#include "props/PropCell.h"
#include "props/PropLib.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"

#include <QStringList>
#include <cmath>
#include <limits>
#include <vector>

namespace tubalon {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QString kIf97 = QStringLiteral("IAPWS-IF97");
// How far below a vapour-pressure table its line is followed.
constexpr double kBelowTableK = 50;

QString Caption(int field) {
    return QString::fromUtf8(PropFields()[static_cast<size_t>(field)].caption);
}

QString Num(double v) {
    return QString::number(v, 'g', 6);
}

bool IsIf97(const QString& vp) {
    return vp.compare(kIf97, Qt::CaseInsensitive) == 0;
}

// "lo~hi" of field TR or PR; nullopt for an empty text.
std::optional<TRange> ParseRange(const TPropRecord& r, int field, const char* unit, double lowest) {
    if (r.IsNull(field) || TrimText(r.Text(field)).isEmpty()) return std::nullopt;
    const QString text = TrimText(r.Text(field));
    const QStringList parts = text.split('~');
    long double lo = 0, hi = 0;
    if (parts.size() != 2 || !TryParseNumber(TrimText(parts[0]), lo) ||
        !TryParseNumber(TrimText(parts[1]), hi) || !(lo < hi) || lo < lowest)
        throw Error(QStringLiteral("“%1”应写作“下限~上限”（%2，下限小于上限），例如 %3：%4")
                        .arg(Caption(field), QString::fromUtf8(unit),
                             QString::fromUtf8(field == kFieldTR ? "0~100" : "0~1000"), text));
    return TRange{static_cast<double>(lo), static_cast<double>(hi)};
}

TPhase ParsePhase(const TPropRecord& r) {
    if (r.IsNull(kFieldPH) || TrimText(r.Text(kFieldPH)).isEmpty()) return TPhase::Unstated;
    const QString text = TrimText(r.Text(kFieldPH));
    if (text == QStringLiteral("液相")) return TPhase::Liquid;
    if (text == QStringLiteral("气相")) return TPhase::Vapour;
    throw Error(QStringLiteral("“%1”应为“液相”或“气相”：%2").arg(Caption(kFieldPH), text));
}

// The points of a vapour-pressure table; raises Error when they cannot serve.
void SaturationPoints(const QString& vp, std::vector<double>& ts, std::vector<double>& ps) {
    try {
        TablePoints(vp, ts, ps);
    } catch (const std::exception& e) {
        throw Error(QStringLiteral("“%1”无法读取：%2").arg(Caption(kFieldVP), e.what()));
    }
    bool ok = ts.size() >= 2;
    for (size_t i = 0; ok && i < ts.size(); ++i)
        ok = ts[i] > -273.15 && ps[i] > 0 && (i == 0 || ts[i] > ts[i - 1]);
    if (!ok)
        throw Error(QStringLiteral("“%1”应为“IAPWS-IF97”或至少两点的蒸气压表"
                                   "“t,p;t,p;…”（℃，kPa，温度递增，压力为正）：%2")
                        .arg(Caption(kFieldVP), vp));
}

QString RecordName(const TPropRecord& r) {
    if (!r.IsNull(kFieldCN) && !TrimText(r.Text(kFieldCN)).isEmpty())
        return TrimText(r.Text(kFieldCN));
    return TrimText(r.Text(kFieldNO));
}

} // namespace

void CheckLimitTexts(const TPropRecord& r) {
    ParseRange(r, kFieldTR, "℃", -273.15);
    ParseRange(r, kFieldPR, "kPa", 0);
    ParsePhase(r);
    if (!r.IsNull(kFieldVP)) {
        const QString vp = TrimText(r.Text(kFieldVP));
        std::vector<double> ts, ps;
        if (!vp.isEmpty() && !IsIf97(vp)) SaturationPoints(vp, ts, ps);
    }
}

TPropLimits RecordLimits(const TPropRecord& r) {
    TPropLimits l;
    l.t = ParseRange(r, kFieldTR, "℃", -273.15);
    l.p = ParseRange(r, kFieldPR, "kPa", 0);
    l.phase = ParsePhase(r);
    if (!r.IsNull(kFieldVP)) l.saturation = TrimText(r.Text(kFieldVP));
    if (!l.saturation.isEmpty() && !IsIf97(l.saturation)) {
        std::vector<double> ts, ps;
        SaturationPoints(l.saturation, ts, ps);
    }
    if (!l.t) {
        // The range common to the record's tables.
        std::optional<TRange> common;
        for (const TPropCellName& c : PropCellNames()) {
            if (r.IsNull(c.field)) continue;
            const QString s = CellCoreText(r.Text(c.field));
            if (!s.contains(';')) continue;
            std::vector<double> xs, ys;
            try {
                TablePoints(s, xs, ys);
            } catch (const std::exception&) {
                continue;
            }
            if (xs.empty()) continue;
            TRange t{xs.front(), xs.front()};
            for (double x : xs) {
                t.lo = std::min(t.lo, x);
                t.hi = std::max(t.hi, x);
            }
            if (!common)
                common = t;
            else
                common = TRange{std::max(common->lo, t.lo), std::min(common->hi, t.hi)};
        }
        if (common && common->lo <= common->hi) {
            l.t = common;
            l.tFromTables = true;
        }
    }
    return l;
}

QString RangeText(const TPropLimits& l) {
    QStringList parts;
    if (l.t) parts << QStringLiteral("%1–%2 ℃").arg(Num(l.t->lo), Num(l.t->hi));
    if (l.p) parts << QStringLiteral("%1–%2 kPa").arg(Num(l.p->lo), Num(l.p->hi));
    return parts.join(QStringLiteral("，"));
}

double SaturationPressure(const QString& vp, double t) {
    if (IsIf97(vp)) return If97SaturationPressure(t + 273.15);
    std::vector<double> ts, ps;
    TablePoints(vp, ts, ps);
    if (ts.size() < 2 || !(t <= ts.back() && t >= ts.front() - kBelowTableK)) return kNaN;
    return InterpolatePoints(ts, ps, t, TTableForm::Andrade);
}

double SaturationTemperature(const QString& vp, double p) {
    if (IsIf97(vp)) {
        const double T = If97SaturationTemperature(p);
        return std::isnan(T) ? kNaN : T - 273.15;
    }
    std::vector<double> ts, ps;
    TablePoints(vp, ts, ps);
    if (ts.size() < 2) return kNaN;
    // The vapour pressure rises with t: bisection between the ends of the line.
    double lo = ts.front() - kBelowTableK, hi = ts.back();
    const double pLo = SaturationPressure(vp, lo), pHi = SaturationPressure(vp, hi);
    if (!(p >= pLo && p <= pHi)) return kNaN;
    for (int i = 0; i < 100 && hi - lo > 1e-9; ++i) {
        const double mid = (lo + hi) / 2;
        if (SaturationPressure(vp, mid) < p)
            lo = mid;
        else
            hi = mid;
    }
    return (lo + hi) / 2;
}

TConditions CheckConditions(const TPropRecord& r, const QString& tText, const QString& pText) {
    const TPropLimits l = RecordLimits(r);
    const bool phaseCheck = l.phase != TPhase::Unstated && !l.saturation.isEmpty();
    const bool needP = l.p || phaseCheck;
    if (!l.t && !needP) return {};
    const double t = StrToFloat(tText);
    const QString name = RecordName(r);
    double p = kNaN;
    if (needP) {
        if (TrimText(pText).isEmpty())
            return {TConditions::Kind::Refused,
                    QStringLiteral("请指定压力！“%1”的数据只在一定压力下成立。").arg(name)};
        p = StrToFloat(pText);
        if (!(p > 0))
            return {TConditions::Kind::Refused,
                    QStringLiteral("压力 p = %1 kPa 不可用：压力应大于 0。").arg(Num(p))};
    }
    if (phaseCheck) {
        const double ts = SaturationTemperature(l.saturation, p);
        const double ps = SaturationPressure(l.saturation, t);
        const QString psText = std::isnan(ps) ? QStringLiteral("%1 ℃ 已超出其饱和线").arg(Num(t))
                                              : QStringLiteral("%1 ℃ 的饱和压力为 %2 kPa")
                                                    .arg(Num(t), QString::number(ps, 'f', 1));
        if (l.phase == TPhase::Liquid) {
            if (std::isnan(ts) && IsIf97(l.saturation) && p < kIf97TripleKPa)
                return {TConditions::Kind::Refused,
                        QStringLiteral("“%1”在 p = %2 kPa 下不能是液体：压力低于水的三相点压力 "
                                       "0.611 kPa。")
                            .arg(name, Num(p))};
            if (!std::isnan(ts) && t > ts + kSaturationToleranceK)
                return {TConditions::Kind::Refused,
                        QStringLiteral("“%1”在 p = %2 kPa 下的饱和温度为 %3 ℃，t = %4 ℃ "
                                       "时已汽化，不是液体。请提高压力（%5）或降低温度。")
                            .arg(name, Num(p), QString::number(ts, 'f', 1), Num(t), psText)};
        } else if (!std::isnan(ts) && t < ts - kSaturationToleranceK) {
            return {TConditions::Kind::Refused,
                    QStringLiteral("“%1”在 p = %2 kPa 下的饱和温度为 %3 ℃，t = %4 ℃ "
                                   "时已冷凝，不是气体。请降低压力（%5）或提高温度。")
                        .arg(name, Num(p), QString::number(ts, 'f', 1), Num(t), psText)};
        }
    }
    const bool tOut = l.t && (t < l.t->lo || t > l.t->hi);
    const bool pOut = l.p && (p < l.p->lo || p > l.p->hi);
    if (tOut || pOut)
        return {TConditions::Kind::OutOfRange,
                QStringLiteral("超出物性数据范围：%1 适用于 %2").arg(name, RangeText(l))};
    return {};
}

} // namespace tubalon
