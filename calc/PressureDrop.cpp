#include "calc/PressureDrop.h"

#include "calc/Film.h"
#include "calc/KernelCheck.h"

#include <algorithm>
#include <cmath>

namespace tubalon::kernel {

double FrictionFactor(double roughness, double d, double re) {
    constexpr const char* what = "摩擦系数";
    RequirePositive(what, "雷诺数", re);
    RequirePositive(what, "管径", d);
    RequireFinite(what, "绝对粗糙度", roughness);
    if (roughness < 0) Fail(what, QStringLiteral("绝对粗糙度不能为负"));
    if (re <= 2000.0) return 64.0 / re;

    const double rel = roughness / (3.7 * d);
    auto g = [&](double x) { return x + 2.0 * std::log10(rel + 2.51 * x / re); };
    constexpr double step = 0.000001;
    double x = 10.0;
    int round = 1;
    for (; round <= kMaxRounds; ++round) {
        const double g1 = g(x);
        const double dx = step * g1 / (g(x + step) - g1);
        x -= dx;
        if (!(std::isfinite(x) && x > 0)) Fail(what, QStringLiteral("Colebrook迭代发散"));
        if (std::fabs(dx) < step) break;
    }
    if (round > kMaxRounds) Fail(what, QStringLiteral("Colebrook迭代%1次未收敛").arg(kMaxRounds));
    double lambda = 1.0 / (x * x);
    if (roughness > 0 && re * std::sqrt(lambda) * roughness / d > 200.0) {
        const double s = 2.0 * std::log10(3.7 * d / roughness);
        lambda = 1.0 / (s * s);
    }
    return CheckResult(what, lambda);
}

double AnnulusLaminarFrictionConstant(double a) {
    constexpr const char* what = "摩擦系数";
    if (!(a > 0 && a < 1)) Fail(what, QStringLiteral("环隙直径比必须在0与1之间"));
    // Within 1e-4 of the plates the terms cancel to rounding noise; the limit is exact there.
    if (1.0 - a < 1e-4) return 96.0;
    return 64.0 * (1.0 - a) * (1.0 - a) / (1.0 + a * a + (1.0 - a * a) / std::log(a));
}

std::optional<double> AnnulusPressureDrop(const AnnulusDropIn& in, double zetaEntryExit) {
    constexpr const char* what = "环道压力降";
    RequirePositive(what, "质量流量", in.w);
    RequirePositive(what, "密度", in.density);
    RequirePositive(what, "动力粘度", in.viscosity);
    RequirePositive(what, "外管内径", in.outerInner);
    RequirePositive(what, "内管外径", in.innerOuter);
    if (!(in.outerInner > in.innerOuter)) Fail(what, QStringLiteral("外管内径必须大于内管外径"));
    RequirePositive(what, "管程数", in.passes);
    RequirePositive(what, "单程管长", in.length);
    RequireFinite(what, "阻力系数", zetaEntryExit);
    if (in.shape == Shape::Helical && !in.pitchFilled) return std::nullopt;

    const double dI = in.outerInner, dO = in.innerOuter, de = dI - dO;
    const double u = 4.0 * in.w / (kPi * in.density * (dI * dI - dO * dO));
    // Reynolds number of the annular flow: ρ·u·de/μ.
    const double re = ReynoldsNumber(in.w, in.viscosity, dI + dO);
    double lambda = FrictionFactor(in.roughness, de, re);
    if (in.method == FilmMethod::Regimes && in.shape == Shape::Straight && re <= 2000.0)
        lambda = AnnulusLaminarFrictionConstant(dO / dI) / re;
    const double head = in.density * u * u / 2.0;
    double dp;
    if (in.shape == Shape::Helical) {
        const Coil coil{true, in.length, in.pitch};
        lambda *= CoilFactor(coil, de, what);
        const double lt = TurnLength(coil, dO, what) * in.passes;
        dp = (lambda * lt / de + zetaEntryExit) * head;
    } else {
        dp = (lambda * in.passes * in.length / de + in.passes * zetaEntryExit) * head;
    }
    return CheckResult(what, dp);
}

std::optional<double> InnerPressureDrop(const InnerDropIn& in, double zetaUBend) {
    constexpr const char* what = "内管压力降";
    RequirePositive(what, "质量流量", in.w);
    RequirePositive(what, "密度", in.density);
    RequirePositive(what, "动力粘度", in.viscosity);
    RequirePositive(what, "内管内径", in.innerInner);
    RequirePositive(what, "管程数", in.passes);
    RequirePositive(what, "单程管长", in.length);
    RequireFinite(what, "阻力系数", zetaUBend);
    if (in.shape == Shape::Helical && !in.pitchFilled) return std::nullopt;

    const double d = in.innerInner;
    const double u = 4.0 * in.w / (kPi * in.density * d * d);
    const double re = ReynoldsNumber(in.w, in.viscosity, d);
    double lambda = FrictionFactor(in.roughness, d, re);
    const double head = in.density * u * u / 2.0;
    double dp;
    if (in.shape == Shape::Helical) {
        RequirePositive(what, "内管外径", in.innerOuter);
        const Coil coil{true, in.length, in.pitch};
        lambda *= CoilFactor(coil, d, what);
        const double lt = TurnLength(coil, in.innerOuter, what) * in.passes;
        dp = (lambda * lt / d + zetaUBend) * head;
    } else {
        // m passes are joined by m − 1 U-bends; a single (or partial) pass has none.
        dp = (lambda * in.passes * in.length / d + std::max(in.passes - 1.0, 0.0) * zetaUBend) *
             head;
    }
    return CheckResult(what, dp);
}

} // namespace tubalon::kernel
