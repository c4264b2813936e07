#include "props/PengRobinson.h"

#include <cmath>

namespace tubalon {
namespace {

constexpr double R = kGasConstant;

struct Reduced {
    double Pc, Tc, Vc, Zc, w, M, P, T;
};

Reduced FromInput(const EosInput& q) {
    return {1000.0 * q[1], q[2], 1e-6 * q[3], q[4], q[5], q[6], 1000.0 * q[7], q[8] + 273.15};
}

bool Finite(double x) {
    return std::isfinite(x);
}

// Constants every routine divides by or takes roots of.
bool BasicOk(const Reduced& r) {
    return Finite(r.Pc) && Finite(r.Tc) && Finite(r.w) && Finite(r.M) && Finite(r.P) &&
           Finite(r.T) && r.Pc > 0 && r.Tc > 0 && r.M > 0 && r.P > 0 && r.T > 0;
}

EosResult Fail(EosStatus s) {
    return {0, s};
}

EosResult Done(double v) {
    if (!Finite(v)) return Fail(EosStatus::NoConvergence);
    return {v, EosStatus::Ok};
}

double StartVolume(const EosInput& q, const Reduced& r, bool liquid) {
    return liquid ? 2.85e-7 * std::pow(q[3], 1.048) : R * r.T / r.P;
}

} // namespace

EosResult PrDensity(const EosInput& q, bool liquid) {
    if (q[0] != 0) return Fail(EosStatus::WrongSelector);
    const Reduced r = FromInput(q);
    if (!BasicOk(r) || (liquid && !(q[3] > 0))) return Fail(EosStatus::BadConstants);
    const double kappa = 0.37464 + 1.54126 * r.w - 0.26992 * r.w * r.w;
    const double s = 1 + kappa * (1 - std::sqrt(r.T / r.Tc));
    const double a = 0.45724 * (R * r.Tc) * (R * r.Tc) / r.Pc * s * s;
    const double b = 0.0778 * R * r.Tc / r.Pc;
    const double P = r.P, T = r.T;
    auto f = [&](double V) {
        return b + R * T / P - a * (V - b) / (P * (V * (V + b) + b * (V - b))) - V;
    };
    double V = StartVolume(q, r, liquid);
    if (!eos_detail::Solve(V, 1e-7, f, [](double, double d) { return std::fabs(d) < 1e-7; }))
        return Fail(EosStatus::NoConvergence);
    if (!(V > 0)) return Fail(EosStatus::NoConvergence);
    return Done(0.001 * r.M / V);
}

EosResult VirialDensity(const EosInput& q, bool liquid) {
    if (q[0] != 1) return Fail(EosStatus::WrongSelector);
    const Reduced r = FromInput(q);
    if (!BasicOk(r) || (liquid && !(q[3] > 0))) return Fail(EosStatus::BadConstants);
    const double Tr = r.T / r.Tc;
    const double B0 = 0.083 - 0.422 / std::pow(Tr, 1.6);
    const double B1 = 0.139 - 0.172 / std::pow(Tr, 4.2);
    const double B = (R * r.Tc / r.Pc) * (B0 + r.w * B1);
    const double P = r.P, T = r.T;
    auto f = [&](double V) { return B / V + 1 - P * V / (R * T); };
    double V = StartVolume(q, r, liquid);
    if (!eos_detail::Solve(V, 1e-7, f, [](double x, double d) { return std::fabs(d / x) < 1e-4; }))
        return Fail(EosStatus::NoConvergence);
    if (!(V > 0)) return Fail(EosStatus::NoConvergence);
    return Done(0.001 * r.M / V);
}

EosResult PrViscosity(const EosInput& q, bool liquid) {
    if (q[0] != 0) return Fail(EosStatus::WrongSelector);
    const Reduced r = FromInput(q);
    if (!BasicOk(r) || !Finite(r.Zc) || !(r.Zc > 0)) return Fail(EosStatus::BadConstants);
    const double w = r.w;
    double c1, c2, c3;
    if (w <= 0.3) {
        c1 = 0.829599 + 0.350857 * w - 0.74768 * w * w;
        c2 = 1.94546 - 3.19777 * w + 2.80193 * w * w;
        c3 = 0.299757 - 2.20855 * w + 6.64959 * w * w;
    } else {
        c1 = 0.956763 + 0.192829 * w - 0.303189 * w * w;
        c2 = -0.258789 - 37.1071 * w + 20.551 * w * w;
        c3 = 5.1630307 - 12.8207 * w + 11.0109 * w * w;
    }
    const double Tr = r.T / r.Tc, Pr = r.P / r.Pc;
    const double phi =
        std::exp(c2 * (std::sqrt(Tr) - 1)) + c3 * (std::sqrt(Pr) - 1) * (std::sqrt(Pr) - 1);
    const double g = 1 + c1 * (std::sqrt(Tr * Pr) - 1);
    const double psi = 1 / (g * g);
    const double etac = 7.9483e-7 * std::sqrt(r.M) * std::pow(r.Pc / 100000, 2.0 / 3.0) *
                        std::pow(r.Tc, -1.0 / 6.0);
    const double rr = etac * r.Tc / (r.Pc * r.Zc);
    const double A = rr * psi;
    const double Bn = 0.0778 * rr * r.Pc / r.Tc;
    const double C = Bn * phi;
    const double D = 0.45724 * (rr * r.Pc) * (rr * r.Pc) / r.Tc;
    const double P = r.P, T = r.T;
    auto f = [&](double x) {
        return A * P / T - D * (x - C) / (T * (x * (x + Bn) + Bn * (x - Bn))) + C - x;
    };
    double eta = liquid ? 0.001 : 1e-6;
    if (!eos_detail::Solve(eta, 1e-8, f,
                           [](double x, double d) { return std::fabs(d / x) < 0.001; }))
        return Fail(EosStatus::NoConvergence);
    if (!(eta > 0)) return Fail(EosStatus::NoConvergence);
    return Done(eta);
}

EosResult PrConductivity(const EosInput& q, bool liquid) {
    if (q[0] != 0) return Fail(EosStatus::WrongSelector);
    const Reduced r = FromInput(q);
    if (!BasicOk(r) || !Finite(r.Zc) || !(r.Zc > 0)) return Fail(EosStatus::BadConstants);
    const double Tr = r.T / r.Tc, Pr = r.P / r.Pc;
    const double p8 = std::pow(Pr, 0.125) - 1;
    const double st = std::sqrt(Tr) - 1;
    const double u = std::sqrt(Tr * Pr) - 1;
    const double phi = 0.1879 * u * u + std::exp(-90.2319 * p8 * p8) +
                       std::exp(9.8081 * p8 * p8 - 4.7582 * st) +
                       23.2853 * std::exp((Pr * Pr * Pr - 1) * st * (1 / r.T - 1 / r.Tc));
    const double g = 1 - 0.127 * (1 - std::sqrt(Pr));
    const double psi = 1 / (g * g);
    const double lc =
        std::pow(r.M, -0.5) * std::pow(r.Pc / 1e6, 2.0 / 3.0) * std::pow(r.Tc, -1.0 / 6.0) / 21;
    const double rr = lc * r.Tc / (r.Pc * r.Zc);
    const double A = rr * psi;
    const double Bl = 0.0778 * rr * r.Pc / r.Tc;
    const double C = Bl * phi;
    const double D = 0.45724 * (rr * r.Pc) * (rr * r.Pc) / r.Tc;
    const double P = r.P, T = r.T;
    auto f = [&](double x) {
        return A * P / T - D * (x - C) / (T * (x * (x + Bl) + Bl * (x - Bl))) + C - x;
    };
    double lambda = liquid ? 0.1 : 0.01;
    if (!eos_detail::Solve(lambda, 1e-4, f,
                           [](double x, double d) { return std::fabs(d / x) < 0.001; }))
        return Fail(EosStatus::NoConvergence);
    if (!(lambda > 0)) return Fail(EosStatus::NoConvergence);
    return Done(lambda);
}

EosResult PrResidualCp(const EosInput& q) {
    if (q[0] != 0) return Fail(EosStatus::WrongSelector);
    const Reduced r = FromInput(q);
    if (!BasicOk(r)) return Fail(EosStatus::BadConstants);
    const double kappa = 0.37464 + 1.54126 * r.w - 0.26992 * r.w * r.w;
    const double b = 0.0778 * R * r.Tc / r.Pc;
    const double ac = 0.45724 * (R * r.Tc) * (R * r.Tc) / r.Pc;
    const double sq2 = std::sqrt(2.0);
    EosInput copy = q;
    auto S = [&](double t, double& out) -> EosStatus {
        copy[8] = t;
        const double T = t + 273.15;
        const EosResult rho = PrDensity(copy, false);
        if (!rho.ok()) return rho.status;
        const double V = 0.001 * r.M / rho.value;
        const double s = 1 + kappa * (1 - std::sqrt(T / r.Tc));
        const double dadT = -kappa * ac * s / std::sqrt(T * r.Tc);
        out = std::log((V - b) * r.P / (R * T)) -
              dadT / (2 * sq2 * b * R) * std::log((V + (sq2 + 1) * b) / (V - (sq2 - 1) * b));
        return Finite(out) ? EosStatus::Ok : EosStatus::NoConvergence;
    };
    const double delta = 1e-4;
    double s1 = 0, s2 = 0;
    if (EosStatus st = S(q[8], s1); st != EosStatus::Ok) return Fail(st);
    if (EosStatus st = S(q[8] + delta, s2); st != EosStatus::Ok) return Fail(st);
    return Done((1000 / r.M) * R * (r.T + delta) * (s2 - s1) / delta);
}

EosResult VirialResidualCp(const EosInput& q) {
    if (q[0] != 0) return Fail(EosStatus::WrongSelector);
    const Reduced r = FromInput(q);
    if (!BasicOk(r)) return Fail(EosStatus::BadConstants);
    const double Tr = r.T / r.Tc, Pr = r.P / r.Pc;
    return Done((1000 / r.M) * R * Pr *
                (1.7552 / std::pow(Tr, 2.6) + 0.3717252 / std::pow(Tr, 5.2)));
}

const char* EosReason(EosStatus s) {
    switch (s) {
    case EosStatus::Ok:
        return "";
    case EosStatus::WrongSelector:
        return "该状态方程不能计算这一物性";
    case EosStatus::NoConvergence:
        return "状态方程迭代不收敛";
    case EosStatus::BadConstants:
        return "临界参数、摩尔质量或压力、温度无效（应为正数）";
    }
    return "";
}

} // namespace tubalon
