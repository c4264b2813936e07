#include "calc/HeatBalance.h"
#include "units/Errors.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tubalon;

TEST(SolveForValue, FindsEachMissingQuantityOfTheSensibleBalance) {
    // Wr, Cpr, Tr1, Tr2, Wt, Cpt, Tt1, Tt2 with 1 kg/s water 80->60 against 20->40.
    const std::vector<double> full = {1, 4180, 80, 60, 1, 4180, 20, 40};
    for (int i = 0; i < 8; ++i) {
        std::vector<double> v = full;
        const double x = SolveForValue(
            v, i, [](const std::vector<double>& a) { return BalanceSensibleBoth(a, 0); }, 0.0001,
            1.2345);
        EXPECT_NEAR(x, full[static_cast<size_t>(i)],
                    1e-6 * std::max(1.0, full[static_cast<size_t>(i)]))
            << "index " << i;
    }
}

TEST(SolveForValue, HeatLossAndNonCondensableShare) {
    // Annulus condensing: 90 % of Wr*rr must heat the inner side plus the loss.
    std::vector<double> v = {0, 2.257e6, 2, 4180, 20, 60};
    const double Wr = SolveForValue(
        v, 0, [](const std::vector<double>& a) { return BalanceAnnulusCondensing(a, 1000, 0.1); },
        0.0001, 1.2345);
    EXPECT_NEAR(Wr, (2 * 4180 * 40 + 1000) / (0.9 * 2.257e6), 1e-9);
    std::vector<double> t = {1, 4180, 20, 60, 0, 2.0e6};
    const double Wt = SolveForValue(
        t, 4, [](const std::vector<double>& a) { return BalanceTubeCondensing(a, 500, 0.2); },
        0.0001, 1.2345);
    EXPECT_NEAR(Wt, (4180 * 40 + 500) / (0.8 * 2.0e6), 1e-9);
}

TEST(SolveForValue, IndependentResidualStopsAtStart) {
    // With Wr = 0 the residual does not depend on Cpr.
    std::vector<double> v = {0, 0, 80, 60, 1, 4180, 20, 40};
    EXPECT_DOUBLE_EQ(SolveForValue(
                         v, 1,
                         [](const std::vector<double>& a) { return BalanceSensibleBoth(a, 0); },
                         0.0001, 1.2345),
                     1.2345);
}

TEST(SolveForValue, NonFiniteResidualIsAnError) {
    std::vector<double> v = {1, 2};
    EXPECT_THROW(
        SolveForValue(
            v, 0, [](const std::vector<double>& a) { return std::log(-a[0] - 1); }, 0.0001, 1),
        ECalcError);
}

TEST(SolveForValue, BoundedWhenNoRootExists) {
    // x*x + 1 has no real root; Newton wanders but must end.
    std::vector<double> v = {0};
    EXPECT_THROW(
        SolveForValue(
            v, 0, [](const std::vector<double>& a) { return a[0] * a[0] + 1; }, 0.0001, 1.2345),
        ECalcError);
}

TEST(MeanTemperature, Cases) {
    const double cross = NAN;
    const struct {
        int flow;
        double Tr1, Tr2, Tt1, Tt2;
        bool annulusHot;
        double dtm;
    } cases[] = {
        {0, 80, 60, 20, 40, true, 40},                          // equal ends: no logarithm
        {1, 80, 60, 20, 40, true, 40 / std::log(3.0)},          // co-current 60 and 20
        {0, 20, 40, 80, 60, false, 40},                         // inner side hot
        {0, 100, 60, 20, 50, true, 10 / std::log(50.0 / 40.0)}, // 50 and 40
        {0, 60, 20, 30, 60, true, cross},                       // zero at the hot end
        {1, 80, 40, 20, 50, true, cross},                       // outlets cross: 60 and -10
        {0, 20, 60, 30, 50, false, cross},                      // -30 and 30
    };
    for (const auto& c : cases) {
        const MeanTemperature m = MeanTemperatureDifference(c.flow, c.Tr1, c.Tr2, c.Tt1, c.Tt2);
        EXPECT_EQ(m.annulusHot, c.annulusHot) << c.Tr1 << " " << c.Tt1;
        if (std::isnan(c.dtm)) {
            EXPECT_FALSE(m.dtm.has_value())
                << c.Tr1 << " " << c.Tr2 << " " << c.Tt1 << " " << c.Tt2;
        } else {
            ASSERT_TRUE(m.dtm.has_value());
            EXPECT_NEAR(*m.dtm, c.dtm, 1e-9);
        }
    }
}
