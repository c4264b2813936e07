#include "model/RootFinder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace tubalon::model;

namespace {

// Colebrook–White for the Darcy factor λ, solved for x = 1/√λ:
// x + 2·log10(ε/(3.7·d) + 2.51·x/Re) = 0, from x = 10 as the pressure-drop kernel does.
double Colebrook(double re, double relativeRoughness) {
    const auto g = [&](double x) {
        return x + 2.0 * std::log10(relativeRoughness / 3.7 + 2.51 * x / re);
    };
    NewtonOptions o;
    o.lower = 0;
    const RootResult r = FindRoot(g, 10.0, o);
    EXPECT_TRUE(r) << RootMessage(r);
    return 1.0 / (r.x * r.x);
}

TEST(FindRoot, ColebrookWorkedValues) {
    const struct {
        double re, eD, lambda, tolerance;
    } cases[] = {
        // Colebrook (1939), J. Inst. Civ. Eng. 11, 133; the value as the fluids library by
        // C. Bell documents it for Re = 1e5, ε/D = 1e-4.
        {1e5, 1e-4, 0.018513866077471648, 1e-12},
        // The pressure-drop kernel's values: ε = 0.2 mm in d = 50 mm, and smooth pipes.
        {1e5, 0.0002 / 0.05, 0.02950069, 5e-9},
        {1e4, 0.0002 / 0.05, 0.0364082, 5e-8},
        {1e5, 0, 0.0179898, 5e-8},
        {1e8, 0, 0.00594047, 5e-9},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Colebrook(c.re, c.eD), c.lambda, c.tolerance) << c.re << " " << c.eD;
}

TEST(FindRoot, InsulationSurfaceWorkedValue) {
    // The insulation kernel's example: a 60×5 shell of mild steel, 50 mm of rock wool, fluid at
    // 80 °C, air at 20 °C; the surface temperature balances conduction and the surface
    // coefficient 9.4 + 0.052·(T − Ta).
    const double dO = 0.06, dI = 0.05, hr = 1000, rs = 0.0002, ls = 52.34, delta = 0.05, li = 0.033,
                 tm = 80, ta = 20;
    const double r2 = dO / (hr * dI) + rs * dO / dI + dO * (dO - dI) / ((dO + dI) * ls);
    const double k1 = 1 / (r2 + delta * dO / ((dO + delta) * li));
    const double surface = dO + 2 * delta;
    const auto f = [&](double t) {
        return ta + dO * k1 * (tm - t) / ((9.4 + 0.052 * (t - ta)) * surface) - t;
    };
    const RootResult r = FindRoot(f, (tm + ta) / 2, NewtonOptions{});
    ASSERT_TRUE(r);
    EXPECT_NEAR(r.x, 22.7190, 0.00005);
    EXPECT_LE(r.rounds, 6);
}

TEST(FindRoot, CondensingWallTemperature) {
    // The condensing kernel's steam example: Nusselt's film on a 25 mm pipe, 120 °C steam,
    // water inside at 20 → 60 °C. The wall temperature balances the film against the path
    // into the inner fluid; the film coefficient there is found independently by bisection.
    const double tmr = 120, tmt = 40, dO = 0.025, dI = 0.02;
    const double path =
        dO * (dO - dI) / ((dO + dI) * 52.34) + 0.0002 + dO / (dI * 3000) + dO * 0.0002 / dI;
    const double group = 9.8 * 943 * 943 * std::pow(0.683, 3) * 2.203e6 / (dO * 0.000232);
    const auto h = [&](double th) { return 0.72 * std::pow(group / (tmr - th), 0.25); };
    const auto g = [&](double th) { return (tmr - th) * h(th) - (th - tmt) / path; };
    NewtonOptions o;
    o.upper = tmr; // the film needs a wall colder than the vapour
    const RootResult r = FindRoot(g, 0.9 * tmr, o);
    ASSERT_TRUE(r) << RootMessage(r);
    double lo = tmt, hi = tmr - 1e-12;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (g(mid) > 0 ? lo : hi) = mid;
    }
    EXPECT_NEAR(h(r.x), h(lo), 1e-3);
    EXPECT_LT(r.rounds, 50);
}

TEST(FindRoot, HeatBalanceFindsEachMissingQuantity) {
    // Wr, Cpr, Tr1, Tr2, Wt, Cpt, Tt1, Tt2: 1 kg/s of water 80 → 60 °C against 20 → 40 °C,
    // each quantity in turn solved from 1.2345 with the heat balance's relative step.
    const std::vector<double> full = {1, 4180, 80, 60, 1, 4180, 20, 40};
    NewtonOptions o;
    o.step = 0.0001;
    o.relative = true;
    o.shrinkAfter = 21;
    o.tolerance = 1e-8;
    o.flat = 1e-50;
    for (std::size_t i = 0; i < full.size(); ++i) {
        std::vector<double> v = full;
        const auto residual = [&](double x) {
            v[i] = x;
            return v[0] * v[1] * (v[3] - v[2]) + v[4] * v[5] * (v[7] - v[6]);
        };
        const RootResult r = FindRoot(residual, 1.2345, o);
        ASSERT_TRUE(r) << i << ": " << RootMessage(r);
        EXPECT_NEAR(r.x, full[i], 1e-6 * std::max(1.0, full[i])) << i;
    }
    // Annulus condensing: 90 % of Wr·rr heats the inner side and covers a 1000 W loss.
    const auto condensing = [](double wr) { return -wr * 2.257e6 * 0.9 + 2 * 4180 * 40 + 1000; };
    const RootResult r = FindRoot(condensing, 1.2345, o);
    EXPECT_NEAR(r.x, (2 * 4180 * 40 + 1000) / (0.9 * 2.257e6), 1e-9);
}

TEST(FindRoot, FailuresAreReportedNotThrown) {
    const struct {
        const char* what;
        double (*f)(double);
        double start, upper;
        RootError error;
        const char* message;
    } cases[] = {
        {"no dependence on x", [](double) { return 5.0; }, 1, INFINITY, RootError::Flat,
         "结果与所求量无关，无法求解"},
        {"logarithm of a negative", [](double x) { return std::log(-x - 1); }, 1, INFINITY,
         RootError::NotFinite, "迭代中出现无效数值，请检查输入数据"},
        {"no real root", [](double x) { return x * x + 1; }, 1.2345, INFINITY,
         RootError::NoConvergence, "迭代200次未收敛"},
        {"jumps past the bound", [](double x) { return x * x - 4; }, 0.1, 10, RootError::OutOfRange,
         "迭代值超出有效范围，请检查输入数据"},
        {"starts past the bound", [](double x) { return x - 1; }, 20, 10, RootError::OutOfRange,
         "迭代值超出有效范围，请检查输入数据"},
        {"start not a number", [](double x) { return x; }, NAN, INFINITY, RootError::NotFinite,
         "迭代中出现无效数值，请检查输入数据"},
    };
    for (const auto& c : cases) {
        NewtonOptions o;
        o.upper = c.upper;
        const RootResult r = FindRoot(c.f, c.start, o);
        EXPECT_EQ(r.error, c.error) << c.what;
        EXPECT_FALSE(r) << c.what;
        EXPECT_EQ(RootMessage(r), c.message) << c.what;
        EXPECT_LE(r.rounds, o.maxRounds) << c.what;
    }
    // Within the bound the same residual is solved.
    NewtonOptions o;
    o.upper = 10;
    const RootResult r = FindRoot([](double x) { return x * x - 4; }, 1, o);
    EXPECT_TRUE(r);
    EXPECT_NEAR(r.x, 2, 1e-9);
}

} // namespace
