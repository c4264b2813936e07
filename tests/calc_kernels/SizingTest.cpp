#include "calc/Sizing.h"

#include "calc/KernelCheck.h"
#include "units/Errors.h"

#include <gtest/gtest.h>

using namespace tubalon;
using namespace tubalon::kernel;

namespace {

SizingIn Example() {
    SizingIn in;
    in.duty = 10000;
    in.overall = 500;
    in.meanDiff = 40;
    in.margin = 0.10;
    in.innerOuter = 0.025;
    in.length = 2;
    return in;
}

TEST(Sizing, StraightDesign) {
    const SizingOut out = Size(Example());
    EXPECT_NEAR(out.ac, 0.5, 1e-12);
    EXPECT_NEAR(out.la, 7.05, 1e-12);
    EXPECT_NEAR(out.ar, 0.55371, 0.000005);
    EXPECT_NEAR(out.cs, 10.741, 0.0005);
    ASSERT_TRUE(out.passes);
    EXPECT_NEAR(*out.passes, 3.6, 1e-12);
}

TEST(Sizing, HelicalTurns) {
    SizingIn in = Example();
    in.shape = Shape::Helical;
    in.length = 0.5;
    in.pitchFilled = true;
    in.pitch = 1.5;
    const SizingOut out = Size(in);
    ASSERT_TRUE(out.passes);
    EXPECT_NEAR(*out.passes, 4.5, 1e-12);
    in.pitchFilled = false; // turns cannot be computed: mD keeps its value
    EXPECT_FALSE(Size(in).passes);
    EXPECT_NEAR(Size(in).la, 7.05, 1e-12);
}

TEST(Sizing, KettleIsOnePass) {
    SizingIn in = Example();
    in.shape = Shape::Kettle;
    EXPECT_EQ(*Size(in).passes, 1.0);
}

// Rating measures the exchanger as built: m passes of L1 or m coil turns.
TEST(Sizing, RatingUsesTheInstalledLength) {
    SizingIn in = Example();
    in.design = false;
    in.passes = 2.5;
    SizingOut out = Size(in);
    EXPECT_EQ(*out.passes, 2.5);
    EXPECT_NEAR(out.ac, 0.5, 1e-12);
    EXPECT_NEAR(out.la, 5.0, 1e-12);
    EXPECT_NEAR(out.ar, kPi * 0.025 * 5.0, 1e-12);
    EXPECT_NEAR(out.cs, (5.0 / 6.36620 - 1) * 100, 1e-3); // short of the duty: negative
    in.passes = 4;
    EXPECT_NEAR(Size(in).cs, (8.0 / 6.36620 - 1) * 100, 1e-3);

    in.shape = Shape::Helical;
    in.length = 0.5;
    in.pitchFilled = true;
    in.pitch = 1.5;
    in.passes = 4.5;
    out = Size(in);
    EXPECT_NEAR(out.la, 4.5 * 1.57124, 1e-4);
    in.pitchFilled = false; // no turn length: the length of the duty
    EXPECT_NEAR(Size(in).la, 7.05, 1e-12);

    in = Example();
    in.design = false;
    in.passes = 0;
    EXPECT_THROW(Size(in), ECalcError);
}

TEST(Sizing, Margins) {
    SizingIn in = Example();
    in.margin = 0;
    SizingOut out = Size(in);
    EXPECT_GE(out.cs, 0);
    EXPECT_LT(out.cs, 0.05 / (0.5 / (kPi * 0.025)) * 100);
    in.margin = -0.30;
    out = Size(in);
    EXPECT_NEAR(out.cs, -30, 0.8);
}

TEST(Sizing, ExactDecimalRatiosAreNotRoundedUp) {
    // La = 7.1 m over 0.71 m passes is 10 passes, not 10.1.
    SizingIn in = Example();
    in.margin = 0;
    in.duty = 7.1 * kPi * 0.025 * 500 * 40;
    in.length = 0.71;
    const SizingOut out = Size(in);
    EXPECT_NEAR(out.la, 7.1, 1e-12);
    EXPECT_NEAR(*out.passes, 10.0, 1e-12);
}

TEST(Sizing, BadInputsRaise) {
    const struct {
        void (*change)(SizingIn&);
    } cases[] = {
        {[](SizingIn& in) { in.overall = 0; }},   {[](SizingIn& in) { in.meanDiff = 0; }},
        {[](SizingIn& in) { in.meanDiff = -5; }}, {[](SizingIn& in) { in.innerOuter = 0; }},
        {[](SizingIn& in) { in.duty = 0; }},      {[](SizingIn& in) { in.length = 0; }},
    };
    for (const auto& c : cases) {
        SizingIn in = Example();
        c.change(in);
        EXPECT_THROW(Size(in), ECalcError);
    }
}

} // namespace
