#include "calc/PressureDrop.h"

#include "calc/KernelCheck.h"
#include "units/Errors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tubalon;
using namespace tubalon::kernel;

namespace {

struct FrictionCase {
    double roughness, d, re, expected, tolerance;
};
class FrictionTest : public testing::TestWithParam<FrictionCase> {};

TEST_P(FrictionTest, Values) {
    const FrictionCase c = GetParam();
    EXPECT_NEAR(FrictionFactor(c.roughness, c.d, c.re), c.expected, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, FrictionTest,
    testing::Values(FrictionCase{0.0002, 0.05, 2000, 0.032, 1e-15},       // laminar up to 2000
                    FrictionCase{0.0002, 0.05, 100000, 0.02950069, 5e-9}, // Colebrook root
                    FrictionCase{0.0002, 0.05, 10000, 0.0364082, 5e-8},
                    FrictionCase{0, 0.05, 100000, 0.0179898, 5e-8},  // smooth pipe
                    FrictionCase{0.005, 0.05, 1e6, 0.1016567, 5e-8}, // fully rough
                    FrictionCase{0, 0.05, 1e8, 0.00594047, 5e-9}));  // root above the start

TEST(Friction, JustAboveLaminarTakesColebrook) {
    EXPECT_NE(FrictionFactor(0.0002, 0.05, 2000.5), 64.0 / 2000.5);
    EXPECT_GT(FrictionFactor(0.0002, 0.05, 2000.5), 0.04);
}

TEST(Friction, BadInputsRaise) {
    EXPECT_THROW(FrictionFactor(0.0002, 0.05, 0), ECalcError);
    EXPECT_THROW(FrictionFactor(0.0002, 0, 1e5), ECalcError);
    EXPECT_THROW(FrictionFactor(-0.0002, 0.05, 1e5), ECalcError);
    EXPECT_THROW(FrictionFactor(0.0002, 0.05, std::nan("")), ECalcError);
}

AnnulusDropIn Annulus() {
    AnnulusDropIn in;
    in.w = 1;
    in.density = 998;
    in.viscosity = 0.001;
    in.roughness = 0.0002;
    in.outerInner = 0.05;
    in.innerOuter = 0.025;
    in.passes = 3.6;
    in.length = 2;
    return in;
}

InnerDropIn Inner() {
    InnerDropIn in;
    in.w = 0.3;
    in.density = 998;
    in.viscosity = 0.001;
    in.roughness = 0.0002;
    in.innerInner = 0.02;
    in.innerOuter = 0.025;
    in.passes = 3.6;
    in.length = 2;
    return in;
}

TEST(PressureDrop, StraightAnnulus) {
    const AnnulusDropIn in = Annulus();
    EXPECT_NEAR(*AnnulusPressureDrop(in, 2.8), 4915.4876, 0.001);
    // Each pass has its entry and exit: the fittings term is 3.6·ζa.
    const double u = 4 * in.w / (kPi * in.density * (0.05 * 0.05 - 0.025 * 0.025));
    EXPECT_NEAR(*AnnulusPressureDrop(in, 2.8) - *AnnulusPressureDrop(in, 0),
                3.6 * 2.8 * in.density * u * u / 2, 1e-9);
}

TEST(PressureDrop, StraightInner) {
    const InnerDropIn in = Inner();
    EXPECT_NEAR(*InnerPressureDrop(in, 0.35), 7130.5310, 0.001);
    const double u = 4 * in.w / (kPi * in.density * 0.02 * 0.02);
    EXPECT_NEAR(*InnerPressureDrop(in, 0.35) - *InnerPressureDrop(in, 0),
                2.6 * 0.35 * in.density * u * u / 2, 1e-9);
}

TEST(PressureDrop, SinglePartialPassHasNoBend) {
    InnerDropIn in = Inner();
    in.passes = 0.6;
    EXPECT_DOUBLE_EQ(*InnerPressureDrop(in, 0.35), *InnerPressureDrop(in, 0));
}

TEST(PressureDrop, Helical) {
    AnnulusDropIn a = Annulus();
    a.shape = Shape::Helical;
    a.length = 0.5;
    a.pitchFilled = true;
    a.pitch = 1.5;
    EXPECT_NEAR(*AnnulusPressureDrop(a, 2.8), 3034.7254, 0.001);
    InnerDropIn in = Inner();
    in.shape = Shape::Helical;
    in.length = 0.5;
    in.pitchFilled = true;
    in.pitch = 1.5;
    EXPECT_NEAR(*InnerPressureDrop(in, 0.35), 6173.7265, 0.001);
    // One U-bend whatever the number of turns.
    const double u = 4 * in.w / (kPi * in.density * 0.02 * 0.02);
    EXPECT_NEAR(*InnerPressureDrop(in, 0.35) - *InnerPressureDrop(in, 0),
                0.35 * in.density * u * u / 2, 1e-9);
    // Without a pitch neither side can be computed.
    a.pitchFilled = in.pitchFilled = false;
    EXPECT_FALSE(AnnulusPressureDrop(a, 2.8));
    EXPECT_FALSE(InnerPressureDrop(in, 0.35));
}

TEST(PressureDrop, BadInputsRaise) {
    AnnulusDropIn a = Annulus();
    a.outerInner = 0.025;
    EXPECT_THROW(AnnulusPressureDrop(a, 2.8), ECalcError);
    a = Annulus();
    a.w = 0;
    EXPECT_THROW(AnnulusPressureDrop(a, 2.8), ECalcError);
    InnerDropIn in = Inner();
    in.density = 0;
    EXPECT_THROW(InnerPressureDrop(in, 0.35), ECalcError);
    in = Inner();
    EXPECT_THROW(InnerPressureDrop(in, std::nan("")), ECalcError);
}

} // namespace
