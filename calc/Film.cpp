#include "calc/Film.h"

#include "calc/KernelCheck.h"

#include <cmath>

namespace tubalon::kernel {

namespace {

constexpr const char* kAnnulusFilm = "环道膜系数";
constexpr const char* kInnerFilm = "内管膜系数";

void RequireAnnulus(const char* what, double outerInner, double innerOuter) {
    RequirePositive(what, "外管内径", outerInner);
    RequirePositive(what, "内管外径", innerOuter);
    if (!(outerInner > innerOuter)) Fail(what, QStringLiteral("外管内径必须大于内管外径"));
}

void RequireFluid(const char* what, double w, double cp, double density, double viscosity,
                  double conductivity) {
    RequirePositive(what, "质量流量", w);
    RequirePositive(what, "平均比热", cp);
    RequirePositive(what, "密度", density);
    RequirePositive(what, "动力粘度", viscosity);
    RequirePositive(what, "导热系数", conductivity);
}

} // namespace

double ReynoldsNumber(double w, double mu, double d) {
    return 4.0 * w / (kPi * mu * d);
}

double PrandtlNumber(double cp, double mu, double lambda) {
    return cp * mu / lambda;
}

double FilmCoefficient(double n, double mu, double pr, double re, double d, double lambda) {
    if (mu < 0.003) return 0.023 * (lambda / d) * std::pow(re, 0.8) * std::pow(pr, n);
    const double c = n <= 0.35 ? 0.95 : 1.05;
    return 0.027 * (lambda / d) * std::pow(re, 0.8) * std::pow(pr, 0.33) * c;
}

double PrandtlExponent(double density, bool hotFluid) {
    return density >= 100.0 && hotFluid ? 0.3 : 0.4;
}

double VapourVelocity(double liquidVelocity, double liquidDensity, double vapourDensity) {
    constexpr const char* what = "蒸汽流速";
    RequireFinite(what, "流速", liquidVelocity);
    RequirePositive(what, "密度", liquidDensity);
    RequirePositive(what, "蒸汽密度", vapourDensity);
    return CheckResult(what, liquidVelocity * liquidDensity / vapourDensity);
}

FilmResult AnnulusSinglePhase(const AnnulusSinglePhaseIn& in) {
    const char* what = kAnnulusFilm;
    RequireFluid(what, in.w, in.cp, in.density, in.viscosity, in.conductivity);
    RequireAnnulus(what, in.outerInner, in.innerOuter);
    const double de = in.outerInner - in.innerOuter;
    const double n = PrandtlExponent(in.density, in.hotFluid);
    const double re = ReynoldsNumber(in.w, in.viscosity, in.outerInner + in.innerOuter);
    const double pr = PrandtlNumber(in.cp, in.viscosity, in.conductivity);
    FilmResult r;
    r.h = FilmCoefficient(n, in.viscosity, pr, re, de, in.conductivity) *
          CoilFactor(in.coil, de, what);
    r.u = 4.0 * in.w /
          (kPi * in.density * (in.outerInner * in.outerInner - in.innerOuter * in.innerOuter));
    CheckResult(what, r.h);
    CheckResult("环道流速", r.u);
    return r;
}

FilmResult InnerSinglePhase(const InnerSinglePhaseIn& in) {
    const char* what = kInnerFilm;
    RequireFluid(what, in.w, in.cp, in.density, in.viscosity, in.conductivity);
    RequirePositive(what, "内管内径", in.innerInner);
    const double d = in.innerInner;
    const double n = PrandtlExponent(in.density, in.hotFluid);
    const double re = ReynoldsNumber(in.w, in.viscosity, d);
    const double pr = PrandtlNumber(in.cp, in.viscosity, in.conductivity);
    FilmResult r;
    r.h =
        FilmCoefficient(n, in.viscosity, pr, re, d, in.conductivity) * CoilFactor(in.coil, d, what);
    r.u = 4.0 * in.w / (kPi * in.density * d * d);
    CheckResult(what, r.h);
    CheckResult("内管流速", r.u);
    return r;
}

CondensingResult AnnulusCondensing(const AnnulusCondensingIn& in) {
    const char* what = kAnnulusFilm;
    RequirePositive(what, "质量流量", in.w);
    RequirePositive(what, "密度", in.density);
    RequirePositive(what, "动力粘度", in.viscosity);
    RequirePositive(what, "导热系数", in.conductivity);
    RequirePositive(what, "相变热", in.latentHeat);
    RequireAnnulus(what, in.outerInner, in.innerOuter);
    RequirePositive(what, "内管内径", in.innerInner);
    if (!(in.innerOuter > in.innerInner)) Fail(what, QStringLiteral("内管外径必须大于内管内径"));
    RequirePositive(what, "内管膜系数", in.innerFilm);
    RequirePositive(what, "管子材质导热系数", in.wallConductivity);
    for (double t : {in.tr1, in.tr2, in.tt1, in.tt2})
        RequireFinite(what, "温度", t);
    RequireFinite(what, "污垢热阻", in.rs);
    RequireFinite(what, "污垢热阻", in.rt);
    const double yr = in.nonCondensable;
    RequireFinite(what, "不凝气体含量", yr);
    if (yr >= 1.0) Fail(what, QStringLiteral("不凝气体含量必须小于100%"));

    const double dOut = in.innerOuter, dIn = in.innerInner;
    // Film Reynolds number of the condensate, only for the choice of the correlation.
    const double ref = 4.0 * in.w / (kPi * (in.outerInner + in.innerOuter) * in.viscosity);
    double a = 0.25, c = 0.72, lc = dOut;
    if (in.shape == Shape::Kettle && !in.kettleLying) {
        RequirePositive(what, "釜高度", in.length);
        lc = in.length;
        if (ref < 2100) {
            c = 1.13;
        } else {
            a = 1.0 / 3.0;
            c = 0.068;
        }
    }

    const double tmr = (in.tr1 + in.tr2) / 2.0;
    const double tmt = (in.tt1 + in.tt2) / 2.0;
    // Path from the condensate surface into the inner fluid, per outer area of the inner pipe.
    const double path = dOut * (dOut - dIn) / ((dOut + dIn) * in.wallConductivity) + in.rs +
                        dOut / (dIn * in.innerFilm) + dOut * in.rt / dIn;
    if (!(std::isfinite(path) && path > 0))
        Fail(what, QStringLiteral("壁面与内管侧热阻之和必须大于零"));

    const double group = 9.8 * in.density * in.density * in.conductivity * in.conductivity *
                         in.conductivity * in.latentHeat / (lc * in.viscosity);
    const double gasFactor =
        yr > 0.001 ? 0.8047 * std::exp(-107.668 * yr / (1.0 - yr)) + 0.1758 : 1.0;

    double theta = 0.9 * tmr;
    // A mean condensing temperature at or below 0 °C puts 0.9·Tm above Tm; start midway.
    if (!(tmr - theta > 0)) theta = (tmr + tmt) / 2.0;
    constexpr double step = 0.000001;
    CondensingResult r;
    for (r.rounds = 1; r.rounds <= kMaxRounds; ++r.rounds) {
        const double dt = tmr - theta;
        if (!(dt > 0))
            Fail(what, QStringLiteral("冷凝温差（冷凝侧平均温度减壁温）不为正，"
                                      "冷凝侧须比内管侧热"));
        r.h = c * std::pow(group / dt, a) * gasFactor;
        const double f1 = dt * r.h - (theta - tmt) / path;
        const double f2 = (tmr - (theta + step)) * r.h - (theta + step - tmt) / path;
        const double dx = step * f1 / (f2 - f1);
        theta -= dx;
        if (!std::isfinite(theta)) CheckResult(what, theta);
        if (std::fabs(dx) < step) break;
    }
    if (r.rounds > kMaxRounds) Fail(what, QStringLiteral("冷凝壁温迭代%1次未收敛").arg(kMaxRounds));
    r.wallTemperature = theta;
    r.h *= CoilFactor(in.coil, in.outerInner - in.innerOuter, what);
    r.u = 4.0 * in.w /
          (kPi * in.density * (in.outerInner * in.outerInner - in.innerOuter * in.innerOuter));
    CheckResult(what, r.h);
    CheckResult("环道流速", r.u);
    return r;
}

FilmResult InnerCondensing(const InnerCondensingIn& in) {
    const char* what = kInnerFilm;
    RequirePositive(what, "质量流量", in.w);
    RequirePositive(what, "密度", in.density);
    RequirePositive(what, "内管内径", in.innerInner);
    RequireFinite(what, "入口温度", in.tt1);
    double q = 50000.0, la = 5.0;
    if (in.haveDuty) {
        RequirePositive(what, "总管长", in.length);
        RequireFinite(what, "内管热量", in.duty);
        la = in.length;
        q = -in.duty / (kPi * in.innerInner * la);
        if (!(q > 0)) Fail(what, QStringLiteral("内管热量须为负（冷凝放热），热流密度不为正"));
    }
    const double b = 11.8333 - 0.0333333 * in.tt1;
    FilmResult r;
    r.h = 1.36 * b * std::sqrt(q) * std::pow(la, 0.35) * std::pow(in.innerInner, -0.25) *
          CoilFactor(in.coil, in.innerInner, what);
    if (!(std::isfinite(r.h) && r.h > 0))
        Fail(what, QStringLiteral("入口温度过高，冷凝膜系数不为正"));
    r.u = 4.0 * in.w / (kPi * in.density * in.innerInner * in.innerInner);
    CheckResult("内管流速", r.u);
    return r;
}

} // namespace tubalon::kernel
