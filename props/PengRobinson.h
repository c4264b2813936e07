// Peng-Robinson and virial estimates of density, viscosity, thermal conductivity and the
// residual heat capacity from critical constants. Pure functions of the input vector.
#pragma once

#include <array>
#include <cmath>

namespace tubalon {

// Q[0] selector (0 Peng-Robinson family, 1 virial), Q[1] Pc kPa, Q[2] Tc K, Q[3] Vc cm3/mol,
// Q[4] Zc, Q[5] acentric factor, Q[6] M g/mol, Q[7] p kPa, Q[8] t degC; Q[9..20] free.
using EosInput = std::array<double, 21>;

enum class EosStatus {
    Ok,
    WrongSelector, // the routine does not serve this selector; value 0
    NoConvergence, // the solve was still moving after 199 steps, or left the real numbers
    BadConstants,  // a critical constant, M, p or T that the routine cannot use
};

struct EosResult {
    double value = 0; // 0 unless status is Ok
    EosStatus status = EosStatus::Ok;
    bool ok() const { return status == EosStatus::Ok; }
};

constexpr double kGasConstant = 8.314;

EosResult PrDensity(const EosInput& q, bool liquid);      // kg/m3
EosResult VirialDensity(const EosInput& q, bool liquid);  // kg/m3
EosResult PrViscosity(const EosInput& q, bool liquid);    // Pa.s
EosResult PrConductivity(const EosInput& q, bool liquid); // W/(m.K)
EosResult PrResidualCp(const EosInput& q);                // J/(kg.K)
EosResult VirialResidualCp(const EosInput& q);            // J/(kg.K)

// A short Chinese reason for a failed status ("迭代不收敛", ...); empty for Ok.
const char* EosReason(EosStatus s);

namespace eos_detail {

// The root finder of the iterative routines: X -= h*F(X)/(F(X+h)-F(X)) until the test holds
// on the new X and the step. At most 201 steps; true only when the test held within 199.
// A step that leaves the finite numbers ends the solve as failed.
template <class F, class Test> bool Solve(double& x, double h, F f, Test converged) {
    int k = 0;
    for (;;) {
        const double fx = f(x);
        const double delta = h * fx / (f(x + h) - fx);
        if (!std::isfinite(delta)) return false;
        x -= delta;
        ++k;
        if (!std::isfinite(x)) return false;
        if (converged(x, delta)) break;
        if (k > 200) break;
    }
    return k < 200;
}

} // namespace eos_detail

} // namespace tubalon
