#include "calc/AutoPipe.h"

#include "calc/KernelCheck.h"
#include "units/Errors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tubalon;
using namespace tubalon::kernel;

namespace {

PipeSeries Table() {
    return PipeSeries({{1, "25×2.5", 25, 20},
                       {2, "32×2.5", 32, 27},
                       {3, "38×3", 38, 32},
                       {4, "38×2.5", 38, 33},
                       {5, "45×3", 45, 39},
                       {6, "57×3.5", 57, 50},
                       {7, "76×4", 76, 68},
                       {8, "820×10", 820, 800}});
}

AutoPipeIn Water() {
    AutoPipeIn in;
    in.innerFlow = 1;
    in.innerDensity = 1000;
    in.annulusFlow = 1;
    in.annulusDensity = 1000;
    in.boundaryDensity = 100;
    in.annulusGas = 20;
    in.annulusLiquid = 1.5;
    in.innerGas = 20;
    in.innerLiquid = 1.5;
    return in;
}

TEST(AutoPipe, TableSizes) {
    const PipeChoice c = ChoosePipes(Water(), Table());
    // d_req = 29.135 mm → 38×3 (Di 32); D_req = √(0.038² + 0.029135²) = 47.9 mm → 57×3.5.
    EXPECT_DOUBLE_EQ(c.innerInner, 0.032);
    EXPECT_DOUBLE_EQ(c.innerOuter, 0.038);
    EXPECT_DOUBLE_EQ(c.outerInner, 0.050);
    EXPECT_DOUBLE_EQ(c.outerOuter, 0.057);
}

TEST(AutoPipe, GasVelocityBelowBoundary) {
    AutoPipeIn in = Water();
    in.innerDensity = 99.9;
    in.innerFlow = 99.9 * 20 * kPi / 4 * 0.05 * 0.05; // exactly 50 mm at 20 m/s
    EXPECT_DOUBLE_EQ(ChoosePipes(in, Table()).innerInner, 0.050);
    in.innerDensity = 100; // equal to the boundary: liquid velocity
    in.innerFlow = 100 * 1.5 * kPi / 4 * 0.05 * 0.05;
    EXPECT_DOUBLE_EQ(ChoosePipes(in, Table()).innerInner, 0.050);
}

TEST(AutoPipe, RoundedAboveTheTable) {
    AutoPipeIn in = Water();
    in.innerFlow = in.annulusFlow = 1000;
    const PipeChoice c = ChoosePipes(in, Table());
    EXPECT_NEAR(c.innerInner, 0.92, 1e-12);
    EXPECT_NEAR(c.innerOuter, 0.94, 1e-12);
    EXPECT_NEAR(c.outerInner, 1.32, 1e-12);
    EXPECT_NEAR(c.outerOuter, 1.34, 1e-12);
    EXPECT_NEAR(RoundedPipe(1.5).outer, 1.54, 1e-12);
    EXPECT_NEAR(RoundedPipe(1.495).inner, 1.5, 1e-12);
}

TEST(AutoPipe, OuterPipeBeyondTheTableTakesTheLastRow) {
    AutoPipeIn in = Water();
    in.annulusFlow = 2000;
    const PipeChoice c = ChoosePipes(in, Table());
    EXPECT_DOUBLE_EQ(c.outerInner, 0.800);
    EXPECT_DOUBLE_EQ(c.outerOuter, 0.820);
}

TEST(AutoPipe, Kettle) {
    AutoPipeIn in = Water();
    in.kettle = true;
    in.innerFlow = 2;
    in.kettleVelocity = KettleVelocity(true, 2, 20);
    EXPECT_DOUBLE_EQ(in.kettleVelocity, 0.1);
    EXPECT_DOUBLE_EQ(KettleVelocity(false, 0, 0), 0.1);
    // d_req = 0.15958 m: beyond the small table's rows below 800 mm... the 820×10 row.
    EXPECT_NEAR(std::sqrt(4 * 2 / (kPi * 1000 * 0.1)), 0.15958, 0.000005);
    EXPECT_DOUBLE_EQ(ChoosePipes(in, Table()).innerInner, 0.800);
    EXPECT_THROW(KettleVelocity(true, 2, 0), ECalcError);
}

TEST(AutoPipe, BadInputsRaise) {
    AutoPipeIn in = Water();
    in.innerFlow = 0;
    EXPECT_THROW(ChoosePipes(in, Table()), ECalcError);
    in = Water();
    in.annulusLiquid = -1;
    EXPECT_THROW(ChoosePipes(in, Table()), ECalcError);
    EXPECT_THROW(ChoosePipes(Water(), PipeSeries()), ECalcError);
}

TEST(PipeSeries, Lookup) {
    const PipeSeries t = Table();
    EXPECT_DOUBLE_EQ(t.LookupByInnerDiameter(0.032).inner, 0.032); // equal: that row
    EXPECT_DOUBLE_EQ(t.LookupByInnerDiameter(0.0320001).inner, 0.033);
    EXPECT_DOUBLE_EQ(t.LookupByInnerDiameter(0).inner, 0.020);
    EXPECT_DOUBLE_EQ(t.LookupByInnerDiameter(5).inner, 0.800); // stops at the last row
    const PipeSeries ties({{1, "40×3", 40, 34}, {2, "38×2", 38, 34}});
    EXPECT_DOUBLE_EQ(ties.LookupByInnerDiameter(0.034).outer, 0.038);
}

} // namespace
