#include "props/Iapws97.h"

#include <cmath>
#include <limits>

namespace tubalon {

namespace {

// IAPWS-IF97 Table 34.
constexpr double n[11] = {0,
                          0.11670521452767e4,
                          -0.72421316703206e6,
                          -0.17073846940092e2,
                          0.12020824702470e5,
                          -0.32325550322333e7,
                          0.14915108613530e2,
                          -0.48232657361591e4,
                          0.40511340542057e6,
                          -0.23855557567849,
                          0.65017534844798e3};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

// Equation (30): theta = T + n9/(T - n10); A, B, C quadratic in theta;
// ps/MPa = [2C / (-B + sqrt(B^2 - 4AC))]^4.
double If97SaturationPressure(double T) {
    if (!(T >= kIf97TripleK && T <= kIf97CriticalK)) return kNaN;
    const double th = T + n[9] / (T - n[10]);
    const double A = th * th + n[1] * th + n[2];
    const double B = n[3] * th * th + n[4] * th + n[5];
    const double C = n[6] * th * th + n[7] * th + n[8];
    const double x = 2 * C / (-B + std::sqrt(B * B - 4 * A * C));
    return 1000.0 * x * x * x * x;
}

// Equation (31): beta = (ps/MPa)^(1/4); E, F, G quadratic in beta; D = 2G/(-F - sqrt(F^2 - 4EG));
// Ts = [n10 + D - sqrt((n10 + D)^2 - 4(n9 + n10 D))] / 2.
double If97SaturationTemperature(double p) {
    if (!(p >= kIf97TripleKPa * (1 - 1e-9) && p <= kIf97CriticalKPa)) return kNaN;
    const double be = std::pow(p / 1000.0, 0.25);
    const double E = be * be + n[3] * be + n[6];
    const double F = n[1] * be * be + n[4] * be + n[7];
    const double G = n[2] * be * be + n[5] * be + n[8];
    const double D = 2 * G / (-F - std::sqrt(F * F - 4 * E * G));
    return (n[10] + D - std::sqrt((n[10] + D) * (n[10] + D) - 4 * (n[9] + n[10] * D))) / 2;
}

} // namespace tubalon
