#include "calc/Wall.h"

#include "calc/KernelCheck.h"

#include <cmath>

namespace tubalon::kernel {

double WallResistance(double dOut, double dIn, double conductivity) {
    return dOut * (dOut - dIn) / ((dOut + dIn) * conductivity);
}

double SurfaceCoefficient(double t, double ta) {
    return 9.4 + 0.052 * (t - ta);
}

InsulationOut InsulationSurface(const InsulationIn& in) {
    constexpr const char* what = "保温外壁温";
    const double dO = in.outerOuter, dI = in.outerInner, delta = in.thickness;
    RequirePositive(what, "外管外径", dO);
    RequirePositive(what, "外管内径", dI);
    if (!(dO > dI)) Fail(what, QStringLiteral("外管外径必须大于外管内径"));
    RequirePositive(what, "环道膜系数", in.annulusFilm);
    RequireFinite(what, "污垢热阻", in.rs);
    RequirePositive(what, "壳体材质导热系数", in.shellConductivity);
    RequireFinite(what, "保温层厚", delta);
    if (delta < 0) Fail(what, QStringLiteral("保温层厚不能为负"));
    if (delta > 0) RequirePositive(what, "保温材料导热系数", in.insulationConductivity);
    RequireFinite(what, "入口温度", in.tr1);
    RequireFinite(what, "出口温度", in.tr2);
    RequireFinite(what, "环境温度", in.ta);

    const double r2 =
        dO / (in.annulusFilm * dI) + in.rs * dO / dI + WallResistance(dO, dI, in.shellConductivity);
    const double r =
        r2 + (delta > 0 ? delta * dO / ((dO + delta) * in.insulationConductivity) : 0.0);
    if (!(r > 0 && r2 > 0)) Fail(what, QStringLiteral("环道至外表面的热阻必须大于零"));
    const double k1 = 1.0 / r;
    const double tm = (in.tr1 + in.tr2) / 2.0;
    const double surface = dO + 2.0 * delta;
    auto f = [&](double t) {
        return in.ta + dO * k1 * (tm - t) / (SurfaceCoefficient(t, in.ta) * surface) - t;
    };

    constexpr double step = 0.000001;
    InsulationOut out;
    double t = (tm + in.ta) / 2.0;
    for (out.rounds = 1; out.rounds <= kMaxRounds; ++out.rounds) {
        const double f1 = f(t);
        const double dx = step * f1 / (f(t + step) - f1);
        t -= dx;
        if (!std::isfinite(t)) CheckResult(what, t);
        if (std::fabs(dx) < step) break;
    }
    if (out.rounds > kMaxRounds)
        Fail(what, QStringLiteral("外表面温度迭代%1次未收敛").arg(kMaxRounds));
    const double hl = SurfaceCoefficient(t, in.ta);
    if (!(hl > 0)) Fail(what, QStringLiteral("外表面与环境的膜系数不为正"));
    out.tw = t;
    out.resistance = r;
    out.kl = CheckResult("环境膜系数", 1.0 / (dO / (hl * surface) + r));
    out.twa = CheckResult("管外表壁温", tm - (tm - in.ta) * out.kl * r2);
    return out;
}

double OverallCoefficient(const OverallIn& in) {
    constexpr const char* what = "总传热系数";
    RequirePositive(what, "环道膜系数", in.annulusFilm);
    RequirePositive(what, "内管膜系数", in.innerFilm);
    RequirePositive(what, "内管外径", in.innerOuter);
    RequirePositive(what, "内管内径", in.innerInner);
    if (!(in.innerOuter > in.innerInner)) Fail(what, QStringLiteral("内管外径必须大于内管内径"));
    RequirePositive(what, "管子材质导热系数", in.wallConductivity);
    RequireFinite(what, "污垢热阻", in.rs);
    RequireFinite(what, "污垢热阻", in.rt);
    const double dO = in.innerOuter, dI = in.innerInner;
    const double sum = 1.0 / in.annulusFilm + in.rs + WallResistance(dO, dI, in.wallConductivity) +
                       dO / (dI * in.innerFilm) + dO * in.rt / dI;
    if (!(sum > 0)) Fail(what, QStringLiteral("热阻之和必须大于零"));
    return CheckResult(what, 1.0 / sum);
}

double HeatLoss(double kl, double outerOuter, double totalLength, double tm, double ta) {
    constexpr const char* what = "环境热损";
    RequireFinite(what, "环境膜系数", kl);
    RequirePositive(what, "外管外径", outerOuter);
    RequireFinite(what, "总管长", totalLength);
    if (totalLength < 0) Fail(what, QStringLiteral("总管长不能为负"));
    RequireFinite(what, "环道平均温度", tm);
    RequireFinite(what, "环境温度", ta);
    return CheckResult(what, kl * kPi * outerOuter * totalLength * (tm - ta));
}

double HeatLossShare(double heatLoss, double annulusDuty) {
    constexpr const char* what = "壳程热损";
    RequireFinite(what, "环境热损", heatLoss);
    RequireFinite(what, "环道热量", annulusDuty);
    if (annulusDuty == 0) Fail(what, QStringLiteral("环道热量为零"));
    return CheckResult(what, 100.0 * heatLoss / std::fabs(annulusDuty));
}

} // namespace tubalon::kernel
