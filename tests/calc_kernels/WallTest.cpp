#include "calc/Wall.h"

#include "calc/KernelCheck.h"
#include "units/Errors.h"

#include <gtest/gtest.h>

using namespace tubalon;
using namespace tubalon::kernel;

namespace {

InsulationIn Example() {
    InsulationIn in;
    in.outerOuter = 0.06;
    in.outerInner = 0.05;
    in.annulusFilm = 1000;
    in.rs = 0.0002;
    in.shellConductivity = 52.34;
    in.thickness = 0.05;
    in.insulationConductivity = 0.033;
    in.tr1 = in.tr2 = 80;
    in.ta = 20;
    return in;
}

TEST(Insulation, WorkedExampleWithWallThickness) {
    const InsulationOut out = InsulationSurface(Example());
    EXPECT_NEAR(out.tw, 22.7190, 0.00005);
    EXPECT_NEAR(out.kl, 1.15301, 0.000005);
    EXPECT_NEAR(out.twa, 79.8932, 0.00005);
    EXPECT_LE(out.rounds, 6);
}

TEST(Insulation, NoInsulationIsTheBareWall) {
    InsulationIn in = Example();
    in.thickness = 0;
    in.insulationConductivity = 0; // not used without a layer
    const InsulationOut out = InsulationSurface(in);
    // Surface balance on the bare pipe: (Tm − T)/R = hl(T)·(T − Ta).
    EXPECT_NEAR((80 - out.tw) / out.resistance, SurfaceCoefficient(out.tw, 20) * (out.tw - 20),
                1e-3);
    // Without insulation the outer wall is the surface.
    EXPECT_NEAR(out.twa, out.tw, 1e-4);
}

TEST(Insulation, ColderThanAmbient) {
    InsulationIn in = Example();
    in.tr1 = in.tr2 = 5;
    const InsulationOut out = InsulationSurface(in);
    EXPECT_GT(out.tw, 5);
    EXPECT_LT(out.tw, 20);
    EXPECT_LT(HeatLoss(out.kl, in.outerOuter, 1.0, 5, in.ta), 0);
}

TEST(Insulation, BadInputsRaise) {
    const struct {
        void (*change)(InsulationIn&);
    } cases[] = {
        {[](InsulationIn& in) { in.outerOuter = 0.05; }},
        {[](InsulationIn& in) { in.annulusFilm = 0; }},
        {[](InsulationIn& in) { in.thickness = -0.01; }},
        {[](InsulationIn& in) { in.shellConductivity = 0; }},
        {[](InsulationIn& in) { in.insulationConductivity = 0; }},
    };
    for (const auto& c : cases) {
        InsulationIn in = Example();
        c.change(in);
        EXPECT_THROW(InsulationSurface(in), ECalcError);
    }
}

TEST(Overall, WorkedExampleWithWallThickness) {
    OverallIn in{1000, 0.0002, 0.025, 0.02, 52.34, 2000, 0.0002};
    EXPECT_NEAR(OverallCoefficient(in), 469.909, 0.0005);
    // Condensing annulus with RtD filled by 0.0002: a usable coefficient, not a vanishing one.
    EXPECT_GT(OverallCoefficient(in), 100);
    in.innerOuter = 0.02;
    EXPECT_THROW(OverallCoefficient(in), ECalcError);
}

// Kl carries the annulus fluid's heat to ambient per unit of the outer pipe's outer surface:
// QL = Kl·π·D_o·La·(Tm − Ta). The same heat leaves the insulation surface, so it also equals
// hl(Tw)·π·(D_o + 2δ)·La·(Tw − Ta), with and without insulation.
TEST(HeatLoss, FromTheFluidOverTheOuterPipeSurface) {
    for (const double thickness : {0.05, 0.02, 0.0}) {
        InsulationIn in = Example();
        in.thickness = thickness;
        const InsulationOut out = InsulationSurface(in);
        const double la = 10;
        const double ql = HeatLoss(out.kl, in.outerOuter, la, 80, in.ta);
        EXPECT_NEAR(ql, out.kl * kPi * 0.06 * la * 60, 1e-9) << thickness;
        const double surface = SurfaceCoefficient(out.tw, in.ta) * kPi *
                               (in.outerOuter + 2 * thickness) * la * (out.tw - in.ta);
        EXPECT_NEAR(ql, surface, 1e-5 * ql) << thickness;
    }
    // The worked insulation example: 1.15301 W/(m²·K) over 10 m of a 60 mm pipe, 60 K.
    EXPECT_NEAR(HeatLoss(1.15301, 0.06, 10, 80, 20), 130.4024, 0.0001);
}

TEST(HeatLoss, ShareOfTheAnnulusDuty) {
    const double ql = HeatLoss(1.15301, 0.06, 10, 80, 20);
    EXPECT_NEAR(HeatLossShare(ql, -10000), 100 * ql / 10000, 1e-12);
    EXPECT_THROW(HeatLossShare(ql, 0), ECalcError);
    EXPECT_THROW(HeatLoss(1.15301, 0, 10, 80, 20), ECalcError);
    EXPECT_THROW(HeatLoss(1.15301, 0.06, -1, 80, 20), ECalcError);
}

} // namespace
