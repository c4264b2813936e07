#include "calc/Film.h"

#include "calc/KernelCheck.h"

#include <cmath>
#include <cstdio>

namespace tubalon::kernel {

namespace {

constexpr const char* kAnnulusFilm = "环道膜系数";
constexpr const char* kInnerFilm = "内管膜系数";

// Upper end of a coil's transition when its critical Re is not below 10⁴ (VDI Heat Atlas,
// 2nd ed. 2010, G3: the coil's transition runs from the critical Re to 2.2·10⁴).
constexpr double kCoilTurbulentLimit = 2.2e4;

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

template <typename... Args> std::string Format(const char* pattern, Args... args) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}

// "Pr=… 超出<name>的适用范围 lo～hi" when pr lies outside [lo, hi].
void CheckPrandtl(FlowInfo& f, const char* name, double lo, double hi) {
    if (f.pr < lo || f.pr > hi)
        f.warnings.push_back(Format("Pr=%.3g 超出%s的适用范围 %g～%g", f.pr, name, lo, hi));
}

// One single-phase side: its Reynolds and Prandtl numbers, the diameter the coefficient refers
// to and what the regimes method needs besides.
struct Side {
    double re = 0, pr = 0, n = 0.4, viscosity = 0, conductivity = 0;
    double d = 0;         // d_i of the tube, de of the annulus
    bool annulus = false; // the laminar formula of the annulus
    double ratio = 0;     // annulus: d_o/D_i
    double length = 0;    // LaD, 0 when not known
    Coil coil;
    FilmMethod method = FilmMethod::Regimes;
    const char* what = "";
};

double TurbulentH(const Side& s, double re) {
    return FilmCoefficient(s.n, s.viscosity, s.pr, re, s.d, s.conductivity) *
           CoilFactor(s.coil, s.d, s.what);
}

std::string TurbulentName(const Side& s) {
    std::string name = s.viscosity < 0.003 ? "Dittus-Boelter 0.023·Re^0.8·Pr^n"
                                           : "Sieder-Tate 型 0.027·Re^0.8·Pr^0.33（粘性流体）";
    if (s.coil.on) name += "×盘管系数";
    return name;
}

void CheckTurbulentRange(FlowInfo& f, const Side& s) {
    if (s.viscosity < 0.003)
        CheckPrandtl(f, "Dittus-Boelter 式", 0.6, 160);
    else
        CheckPrandtl(f, "Sieder-Tate 式", 0.7, 16700);
    if (s.length > 0 && !s.coil.on && s.length / s.d < 10)
        f.warnings.push_back(
            Format("管长与当量直径之比 L/d=%.3g 小于 10，湍流关联式未计入口段", s.length / s.d));
}

// The coefficient of one side and what it rests on.
FlowInfo SinglePhaseFilm(const Side& s) {
    FlowInfo f;
    f.valid = true;
    f.re = s.re;
    f.pr = s.pr;
    double laminarEnd = kLaminarLimit, turbulentStart = kTurbulentLimit;
    const bool coil = s.coil.on;
    if (coil) {
        laminarEnd = CoilCriticalReynolds(s.d / s.coil.diameter);
        if (laminarEnd >= kTurbulentLimit) turbulentStart = kCoilTurbulentLimit;
    }
    f.regime = s.re < laminarEnd       ? Regime::Laminar
               : s.re < turbulentStart ? Regime::Transition
                                       : Regime::Turbulent;

    if (s.method == FilmMethod::Original) {
        f.h = TurbulentH(s, s.re);
        f.correlation = TurbulentName(s) + "（原方法，各流态通用）";
        if (s.re < kTurbulentLimit)
            f.warnings.push_back(
                Format("湍流关联式用于 Re=%.0f，适用范围为 Re≥10000（原方法）", s.re));
        CheckTurbulentRange(f, s);
        return f;
    }

    // The tube in a coil takes the coil's laminar formula; the annulus in a coil and every
    // straight side the developing-flow formulas over the total length.
    const bool coilLaminar = coil && !s.annulus;
    const double dOverL = s.length > 0 ? s.d / s.length : 0.0;
    auto laminarH = [&](double re) {
        const double nu = coilLaminar ? CoilLaminarNusselt(re, s.pr, s.d / s.coil.diameter)
                          : s.annulus ? AnnulusLaminarNusselt(re, s.pr, s.ratio, dOverL)
                                      : TubeLaminarNusselt(re, s.pr, dOverL);
        return nu * s.conductivity / s.d;
    };
    std::string laminarName =
        coilLaminar ? "Manlapaz-Churchill 盘管层流"
        : s.annulus ? (dOverL > 0 ? "VDI G2 环隙层流（入口段）" : "VDI G2 环隙层流（充分发展）")
                    : (dOverL > 0 ? "VDI G1 管内层流（入口段）" : "VDI G1 管内层流（充分发展）");
    if (coil && s.annulus) laminarName += "，未计盘管强化";

    if (f.regime == Regime::Laminar) {
        f.h = laminarH(s.re);
        f.correlation = laminarName;
        f.usesLength = !coilLaminar && dOverL > 0;
        if (!coilLaminar) CheckPrandtl(f, "VDI 层流关联式", 0.6, 1000);
    } else if (f.regime == Regime::Transition) {
        const double g = (s.re - laminarEnd) / (turbulentStart - laminarEnd);
        f.h = (1.0 - g) * laminarH(laminarEnd) + g * TurbulentH(s, turbulentStart);
        f.correlation = Format("过渡区插值：%s(Re=%.0f) 与 %s(Re=%.0f)", laminarName.c_str(),
                               laminarEnd, TurbulentName(s).c_str(), turbulentStart);
        f.usesLength = !coilLaminar && dOverL > 0;
        if (!coilLaminar) CheckPrandtl(f, "VDI 层流关联式", 0.6, 1000);
        CheckTurbulentRange(f, s);
    } else {
        f.h = TurbulentH(s, s.re);
        f.correlation = TurbulentName(s);
        CheckTurbulentRange(f, s);
    }
    return f;
}

} // namespace

const char* RegimeName(Regime r) {
    switch (r) {
    case Regime::Laminar:
        return "层流";
    case Regime::Transition:
        return "过渡流";
    case Regime::Condensing:
        return "冷凝";
    case Regime::Turbulent:
        break;
    }
    return "湍流";
}

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

double TubeLaminarNusselt(double re, double pr, double dOverL) {
    constexpr double nu1 = 3.66;
    if (!(dOverL > 0)) return nu1;
    const double x = re * pr * dOverL;
    const double nu2 = 1.615 * std::cbrt(x);
    const double nu3 = std::pow(2.0 / (1.0 + 22.0 * pr), 1.0 / 6.0) * std::sqrt(x);
    return std::cbrt(nu1 * nu1 * nu1 + 0.7 * 0.7 * 0.7 + std::pow(nu2 - 0.7, 3) + nu3 * nu3 * nu3);
}

double AnnulusLaminarNusselt(double re, double pr, double a, double dhOverL) {
    const double nu1 = 3.66 + 1.2 * std::pow(a, -0.8);
    if (!(dhOverL > 0)) return nu1;
    const double x = re * pr * dhOverL;
    const double nu2 = 1.615 * (1.0 + 0.14 / std::sqrt(a)) * std::cbrt(x);
    const double nu3 = std::pow(2.0 / (1.0 + 22.0 * pr), 1.0 / 6.0) * std::sqrt(x);
    return std::cbrt(nu1 * nu1 * nu1 + nu2 * nu2 * nu2 + nu3 * nu3 * nu3);
}

double CoilCriticalReynolds(double dOverDc) {
    return 2300.0 * (1.0 + 8.6 * std::pow(dOverDc, 0.45));
}

double CoilLaminarNusselt(double re, double pr, double dOverDc) {
    const double de = re * std::sqrt(dOverDc);
    const double x1 = std::pow(1.0 + 957.0 / (de * de * pr), 2);
    const double x2 = 1.0 + 0.477 / pr;
    const double a = 3.657 + 4.343 / x1;
    return std::cbrt(a * a * a + 1.158 * std::pow(de / x2, 1.5));
}

namespace {

double LiquidOnly(double w, double conductivity, double viscosity, double cp, double d) {
    const double reLo = ReynoldsNumber(w, viscosity, d);
    const double pr = PrandtlNumber(cp, viscosity, conductivity);
    return 0.021 * conductivity / d * std::pow(reLo, 0.8) * std::pow(pr, 0.43);
}

} // namespace

double BoykoKruzhilin(double w, double vapourDensity, double liquidDensity, double conductivity,
                      double viscosity, double cp, double d, double quality) {
    return LiquidOnly(w, conductivity, viscosity, cp, d) *
           std::sqrt(1.0 + quality * (liquidDensity / vapourDensity - 1.0));
}

double BoykoKruzhilinMean(double w, double vapourDensity, double liquidDensity, double conductivity,
                          double viscosity, double cp, double d) {
    return LiquidOnly(w, conductivity, viscosity, cp, d) *
           (std::sqrt(liquidDensity / vapourDensity) + 1.0) / 2.0;
}

std::string VelocityWarning(double u, bool gas) {
    const double lo = gas ? 5.0 : 0.3, hi = gas ? 30.0 : 3.0;
    if (u >= lo && u <= hi) return {};
    return Format("%s流速 %.3g m/s 超出常用范围 %g～%g m/s", gas ? "气体" : "液体", u, lo, hi);
}

FilmResult AnnulusSinglePhase(const AnnulusSinglePhaseIn& in) {
    const char* what = kAnnulusFilm;
    RequireFluid(what, in.w, in.cp, in.density, in.viscosity, in.conductivity);
    RequireAnnulus(what, in.outerInner, in.innerOuter);
    RequireFinite(what, "总管长", in.length);
    Side s;
    s.what = what;
    s.d = in.outerInner - in.innerOuter;
    s.n = PrandtlExponent(in.density, in.hotFluid);
    s.re = ReynoldsNumber(in.w, in.viscosity, in.outerInner + in.innerOuter);
    s.pr = PrandtlNumber(in.cp, in.viscosity, in.conductivity);
    s.viscosity = in.viscosity;
    s.conductivity = in.conductivity;
    s.annulus = true;
    s.ratio = in.innerOuter / in.outerInner;
    s.length = in.length;
    s.coil = in.coil;
    s.method = in.method;
    FilmResult r;
    r.flow = SinglePhaseFilm(s);
    r.h = CheckResult(what, r.flow.h);
    r.u = 4.0 * in.w /
          (kPi * in.density * (in.outerInner * in.outerInner - in.innerOuter * in.innerOuter));
    CheckResult("环道流速", r.u);
    return r;
}

FilmResult InnerSinglePhase(const InnerSinglePhaseIn& in) {
    const char* what = kInnerFilm;
    RequireFluid(what, in.w, in.cp, in.density, in.viscosity, in.conductivity);
    RequirePositive(what, "内管内径", in.innerInner);
    RequireFinite(what, "总管长", in.length);
    Side s;
    s.what = what;
    s.d = in.innerInner;
    s.n = PrandtlExponent(in.density, in.hotFluid);
    s.re = ReynoldsNumber(in.w, in.viscosity, s.d);
    s.pr = PrandtlNumber(in.cp, in.viscosity, in.conductivity);
    s.viscosity = in.viscosity;
    s.conductivity = in.conductivity;
    s.length = in.length;
    s.coil = in.coil;
    s.method = in.method;
    FilmResult r;
    r.flow = SinglePhaseFilm(s);
    r.h = CheckResult(what, r.flow.h);
    r.u = 4.0 * in.w / (kPi * in.density * s.d * s.d);
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
    const char* name = "Nusselt 水平管外膜状冷凝";
    if (in.shape == Shape::Kettle && !in.kettleLying) {
        RequirePositive(what, "釜高度", in.length);
        lc = in.length;
        if (ref < 2100) {
            c = 1.13;
            name = "Nusselt 竖壁膜状冷凝（层流液膜）";
        } else {
            a = 1.0 / 3.0;
            c = 0.068;
            name = "竖壁膜状冷凝（湍流液膜）";
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
    r.flow.valid = true;
    r.flow.h = r.h;
    r.flow.re = ref;
    if (in.cp > 0) r.flow.pr = PrandtlNumber(in.cp, in.viscosity, in.conductivity);
    r.flow.regime = Regime::Condensing;
    r.flow.correlation = name;
    if (yr > 0.001) r.flow.correlation += "，不凝气体修正";
    if (in.coil.on) r.flow.correlation += "×盘管系数";
    return r;
}

FilmResult InnerCondensing(const InnerCondensingIn& in) {
    const char* what = kInnerFilm;
    RequirePositive(what, "质量流量", in.w);
    RequirePositive(what, "密度", in.density);
    RequirePositive(what, "内管内径", in.innerInner);
    const double d = in.innerInner;
    FilmResult r;
    r.flow.valid = true;
    r.flow.regime = Regime::Condensing;
    if (in.method == FilmMethod::Regimes) {
        RequirePositive(what, "平均比热", in.cp);
        RequirePositive(what, "动力粘度", in.viscosity);
        RequirePositive(what, "导热系数", in.conductivity);
        RequirePositive(what, "蒸汽密度", in.vapourDensity);
        r.h = BoykoKruzhilinMean(in.w, in.vapourDensity, in.density, in.conductivity, in.viscosity,
                                 in.cp, d) *
              CoilFactor(in.coil, d, what);
        r.flow.re = ReynoldsNumber(in.w, in.viscosity, d);
        r.flow.pr = PrandtlNumber(in.cp, in.viscosity, in.conductivity);
        r.flow.correlation = "Boyko-Kruzhilin 管内冷凝（x=1 与 x=0 平均）";
        if (in.coil.on) r.flow.correlation += "×盘管系数";
        if (r.flow.re < 1e4)
            r.flow.warnings.push_back(
                Format("全液相雷诺数 Re=%.0f 低于 10000，Boyko-Kruzhilin 式的液相项超出适用范围",
                       r.flow.re));
        CheckPrandtl(r.flow, "Boyko-Kruzhilin 式的液相项", 0.6, 2500);
    } else {
        RequireFinite(what, "入口温度", in.tt1);
        double q = 50000.0, la = 5.0;
        if (in.haveDuty) {
            RequirePositive(what, "总管长", in.length);
            RequireFinite(what, "内管热量", in.duty);
            la = in.length;
            q = -in.duty / (kPi * d * la);
            if (!(q > 0)) Fail(what, QStringLiteral("内管热量须为负（冷凝放热），热流密度不为正"));
        }
        const double b = 11.8333 - 0.0333333 * in.tt1;
        r.h = 1.36 * b * std::sqrt(q) * std::pow(la, 0.35) * std::pow(d, -0.25) *
              CoilFactor(in.coil, d, what);
        if (!(std::isfinite(r.h) && r.h > 0))
            Fail(what, QStringLiteral("入口温度过高，冷凝膜系数不为正"));
        if (in.viscosity > 0) r.flow.re = ReynoldsNumber(in.w, in.viscosity, d);
        if (in.viscosity > 0 && in.cp > 0 && in.conductivity > 0)
            r.flow.pr = PrandtlNumber(in.cp, in.viscosity, in.conductivity);
        r.flow.correlation = "水蒸气管内冷凝经验式（原方法，只适用于水蒸气）";
        if (in.coil.on) r.flow.correlation += "×盘管系数";
        r.flow.usesLength = true;
    }
    CheckResult(what, r.h);
    r.flow.h = r.h;
    r.u = 4.0 * in.w / (kPi * in.density * d * d);
    CheckResult("内管流速", r.u);
    return r;
}

} // namespace tubalon::kernel
