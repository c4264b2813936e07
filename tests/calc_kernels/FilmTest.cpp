#include "calc/Film.h"

#include "calc/KernelCheck.h"
#include "units/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace tubalon;
using namespace tubalon::kernel;

namespace {

struct FilmCase {
    double n, mu, expected;
};

class FilmCoefficientTest : public testing::TestWithParam<FilmCase> {};

TEST_P(FilmCoefficientTest, WorkedValues) {
    const FilmCase c = GetParam();
    EXPECT_NEAR(FilmCoefficient(c.n, c.mu, 7.0, 10000.0, 0.02, 0.6), c.expected, 0.05);
}

// λ 0.6, d 0.02 m, Re 10000, Pr 7: thin and viscous branches, both exponents.
INSTANTIATE_TEST_SUITE_P(Branches, FilmCoefficientTest,
                         testing::Values(FilmCase{0.4, 0.001, 2381.7}, FilmCase{0.3, 0.001, 1960.6},
                                         FilmCase{0.4, 0.003, 2561.9},
                                         FilmCase{0.3, 0.003, 2317.9}));

TEST(PrandtlExponent, HotDenseFluidOnly) {
    EXPECT_EQ(PrandtlExponent(1000, true), 0.3);
    EXPECT_EQ(PrandtlExponent(100, true), 0.3);
    EXPECT_EQ(PrandtlExponent(99, true), 0.4);
    EXPECT_EQ(PrandtlExponent(1000, false), 0.4);
}

AnnulusSinglePhaseIn Oil() {
    AnnulusSinglePhaseIn in;
    in.w = 0.1;
    in.cp = 2000;
    in.density = 850;
    in.viscosity = 0.0325;
    in.conductivity = 0.13;
    in.outerInner = 0.045;
    in.innerOuter = 0.0252;
    return in;
}

TEST(AnnulusSinglePhase, ReynoldsOfTheAnnularFlow) {
    // Oil 0.1 kg/s, μ 0.0325 Pa·s, D_i 45 mm, d_o 25.2 mm: Re 56 (not 198), laminar.
    AnnulusSinglePhaseIn in = Oil();
    const double re = ReynoldsNumber(in.w, in.viscosity, in.outerInner + in.innerOuter);
    EXPECT_NEAR(re, 55.8, 0.05);
    const double de = in.outerInner - in.innerOuter;
    const double pr = PrandtlNumber(in.cp, in.viscosity, in.conductivity);
    const FilmResult r = AnnulusSinglePhase(in);
    EXPECT_EQ(r.flow.regime, Regime::Laminar);
    EXPECT_DOUBLE_EQ(r.flow.re, re);
    EXPECT_DOUBLE_EQ(r.flow.pr, pr);
    EXPECT_DOUBLE_EQ(r.h, AnnulusLaminarNusselt(re, pr, 0.0252 / 0.045, 0) * 0.13 / de);
    const double area = kPi / 4 * (0.045 * 0.045 - 0.0252 * 0.0252);
    EXPECT_NEAR(r.u, 0.1 / (850 * area), 1e-12);
    // The original method: the turbulent formula at the same Reynolds number.
    in.method = FilmMethod::Original;
    EXPECT_DOUBLE_EQ(AnnulusSinglePhase(in).h,
                     FilmCoefficient(0.4, in.viscosity, pr, re, de, in.conductivity));
}

TEST(SinglePhase, HelicalFactorOnBothSides) {
    InnerSinglePhaseIn in;
    in.w = 0.3;
    in.cp = 4180;
    in.density = 998;
    in.viscosity = 0.001;
    in.conductivity = 0.6;
    in.innerInner = 0.02;
    const double straight = InnerSinglePhase(in).h;
    in.coil = {true, 0.5, 1.5};
    EXPECT_NEAR(InnerSinglePhase(in).h / straight, 1 + 3.5 * 0.02 / 0.5, 1e-12);
    in.coil.pitch = 3.0;
    EXPECT_NEAR(InnerSinglePhase(in).h / straight, 1 + 1.75 * 0.02 / 0.5, 1e-12);

    // The laminar oil takes the factor in the original method only.
    AnnulusSinglePhaseIn a = Oil();
    a.method = FilmMethod::Original;
    const double flat = AnnulusSinglePhase(a).h;
    a.coil = {true, 0.5, 1.5};
    EXPECT_NEAR(AnnulusSinglePhase(a).h / flat, 1 + 3.5 * (0.045 - 0.0252) / 0.5, 1e-12);
}

AnnulusCondensingIn Steam() {
    // Steam at about 120 °C condensing on a 25×2.5 pipe in a 45 mm annulus, water inside.
    AnnulusCondensingIn in;
    in.w = 0.02;
    in.density = 943;
    in.viscosity = 0.000232;
    in.conductivity = 0.683;
    in.latentHeat = 2.203e6;
    in.outerInner = 0.045;
    in.innerOuter = 0.025;
    in.innerInner = 0.02;
    in.tr1 = in.tr2 = 120;
    in.tt1 = 20;
    in.tt2 = 60;
    in.rs = 0.0002;
    in.rt = 0.0002;
    in.innerFilm = 3000;
    in.wallConductivity = 52.34;
    in.length = 2;
    return in;
}

// Independent evaluation: the fixed point of the flux balance, found by bisection.
double SteamReference(const AnnulusCondensingIn& in, double c, double a, double lc) {
    const double tmr = (in.tr1 + in.tr2) / 2, tmt = (in.tt1 + in.tt2) / 2;
    const double dO = in.innerOuter, dI = in.innerInner;
    const double path = dO * (dO - dI) / ((dO + dI) * in.wallConductivity) + in.rs +
                        dO / (dI * in.innerFilm) + dO * in.rt / dI;
    auto h = [&](double th) {
        return c * std::pow(9.8 * in.density * in.density * std::pow(in.conductivity, 3) *
                                in.latentHeat / (lc * in.viscosity * (tmr - th)),
                            a);
    };
    double lo = tmt, hi = tmr - 1e-12;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        ((tmr - mid) * h(mid) - (mid - tmt) / path > 0 ? lo : hi) = mid;
    }
    return h(lo);
}

TEST(AnnulusCondensing, SettlesOnTheFluxBalance) {
    const AnnulusCondensingIn in = Steam();
    const CondensingResult r = AnnulusCondensing(in);
    EXPECT_NEAR(r.h, SteamReference(in, 0.72, 0.25, 0.025), 1e-3);
    EXPECT_GT(r.wallTemperature, 40);
    EXPECT_LT(r.wallTemperature, 120);
    EXPECT_LT(r.rounds, 50);
    EXPECT_NEAR(r.u, 4 * 0.02 / (kPi * 943 * (0.045 * 0.045 - 0.025 * 0.025)), 1e-12);
}

TEST(AnnulusCondensing, KettleStandingUsesHeight) {
    AnnulusCondensingIn in = Steam();
    in.shape = Shape::Kettle;
    in.length = 1.5;
    EXPECT_NEAR(AnnulusCondensing(in).h, SteamReference(in, 1.13, 0.25, 1.5), 1e-3);
    in.w = 5; // Ref above 2100
    EXPECT_NEAR(AnnulusCondensing(in).h, SteamReference(in, 0.068, 1.0 / 3.0, 1.5), 1e-3);
    in.kettleLying = true;
    EXPECT_NEAR(AnnulusCondensing(in).h, SteamReference(in, 0.72, 0.25, 0.025), 1e-3);
}

struct GasCase {
    double yr, factor;
};
class NonCondensableTest : public testing::TestWithParam<GasCase> {};

TEST_P(NonCondensableTest, Factor) {
    AnnulusCondensingIn in = Steam();
    // A fixed inner side makes h independent of the wall loop's start: compare at the
    // same wall temperature by giving a negligible inner resistance change.
    const double plain = SteamReference(in, 0.72, 0.25, 0.025);
    in.nonCondensable = GetParam().yr;
    const CondensingResult r = AnnulusCondensing(in);
    // With the factor the film is thinner, so the wall moves: check through the balance.
    const double tmr = 120, tmt = 40;
    const double path =
        0.025 * 0.005 / (0.045 * 52.34) + 0.0002 + 0.025 / (0.02 * 3000) + 0.025 * 0.0002 / 0.02;
    EXPECT_NEAR((tmr - r.wallTemperature) * r.h, (r.wallTemperature - tmt) / path, 1e-3);
    const double bare = r.h / GetParam().factor;
    const double expectedBare = 0.72 * std::pow(9.8 * 943 * 943 * std::pow(0.683, 3) * 2.203e6 /
                                                    (0.025 * 0.000232 * (tmr - r.wallTemperature)),
                                                0.25);
    EXPECT_NEAR(bare, expectedBare, 1e-3 * expectedBare);
    if (GetParam().factor == 1.0) {
        EXPECT_NEAR(r.h, plain, 1e-3);
    }
}

INSTANTIATE_TEST_SUITE_P(Shares, NonCondensableTest,
                         testing::Values(GasCase{0.001, 1.0}, GasCase{0.01, 0.447022},
                                         GasCase{0.1, 0.175810}));

TEST(InnerCondensing, OriginalSteamFormula) {
    InnerCondensingIn in;
    in.method = FilmMethod::Original;
    in.w = 0.01;
    in.density = 958;
    in.innerInner = 0.05;
    in.tt1 = 100;
    const FilmResult r = InnerCondensing(in);
    EXPECT_NEAR(r.h, 9601.5, 0.5);
    in.haveDuty = true;
    in.length = 5;
    in.duty = -50000 * kPi * 0.05 * 5;
    EXPECT_NEAR(InnerCondensing(in).h, r.h, 1e-9);
    in.coil = {true, 0.5, 1.5};
    EXPECT_NEAR(InnerCondensing(in).h, r.h * (1 + 3.5 * 0.05 / 0.5), 1e-9);
}

TEST(VapourVelocity, FromLiquidVelocity) {
    EXPECT_DOUBLE_EQ(VapourVelocity(0.01, 958, 0.6), 0.01 * 958 / 0.6);
}

struct ErrorCase {
    const char* name;
    void (*change)(AnnulusCondensingIn&);
    const char* fragment;
};

class CondensingErrorTest : public testing::TestWithParam<ErrorCase> {};

TEST_P(CondensingErrorTest, ClearMessage) {
    AnnulusCondensingIn in = Steam();
    GetParam().change(in);
    try {
        AnnulusCondensing(in);
        FAIL() << "no error for " << GetParam().name;
    } catch (const ECalcError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("无法计算环道膜系数"), std::string::npos) << what;
        EXPECT_NE(what.find(GetParam().fragment), std::string::npos) << what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CondensingErrorTest,
    testing::Values(
        ErrorCase{"cold condensing side", [](AnnulusCondensingIn& in) { in.tt1 = in.tt2 = 150; },
                  "冷凝温差"},
        ErrorCase{"below zero and colder",
                  [](AnnulusCondensingIn& in) {
                      in.tr1 = in.tr2 = -10;
                      in.tt1 = in.tt2 = 0;
                  },
                  "冷凝温差"},
        ErrorCase{"annulus not larger", [](AnnulusCondensingIn& in) { in.outerInner = 0.025; },
                  "外管内径必须大于内管外径"},
        ErrorCase{"zero flow", [](AnnulusCondensingIn& in) { in.w = 0; }, "质量流量"},
        ErrorCase{"all gas", [](AnnulusCondensingIn& in) { in.nonCondensable = 1; }, "不凝气体"},
        ErrorCase{"no inner film", [](AnnulusCondensingIn& in) { in.innerFilm = 0; }, "内管膜系数"},
        ErrorCase{"NaN latent heat", [](AnnulusCondensingIn& in) { in.latentHeat = std::nan(""); },
                  "相变热"}));

TEST(AnnulusCondensing, BelowZeroStillCondenses) {
    // Refrigerant condensing at -10 °C over brine at -30 °C: the loop starts midway.
    AnnulusCondensingIn in = Steam();
    in.tr1 = in.tr2 = -10;
    in.tt1 = in.tt2 = -30;
    const CondensingResult r = AnnulusCondensing(in);
    EXPECT_GT(r.wallTemperature, -30);
    EXPECT_LT(r.wallTemperature, -10);
    EXPECT_TRUE(std::isfinite(r.h));
}

TEST(InnerCondensing, PositiveDutyIsAnError) {
    InnerCondensingIn in;
    in.method = FilmMethod::Original;
    in.w = 0.01;
    in.density = 958;
    in.innerInner = 0.05;
    in.tt1 = 100;
    in.haveDuty = true;
    in.length = 5;
    in.duty = 1000; // left from a single-phase calculation
    EXPECT_THROW(InnerCondensing(in), ECalcError);
    in.duty = -1000;
    in.tt1 = 400; // B below zero
    EXPECT_THROW(InnerCondensing(in), ECalcError);
}

TEST(SinglePhase, BadInputsRaise) {
    AnnulusSinglePhaseIn a = Oil();
    a.w = -0.1;
    EXPECT_THROW(AnnulusSinglePhase(a), ECalcError);
    a = Oil();
    a.outerInner = 0.02;
    EXPECT_THROW(AnnulusSinglePhase(a), ECalcError);
    InnerSinglePhaseIn in;
    in.w = 1;
    in.cp = 4180;
    in.density = 998;
    in.viscosity = 0.001;
    in.conductivity = 0.6;
    in.innerInner = 0;
    EXPECT_THROW(InnerSinglePhase(in), ECalcError);
}

} // namespace
