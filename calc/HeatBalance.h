// Heat balance of the two sides and the mean temperature difference: plain functions.
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace tubalon {

using Residual = std::function<double(const std::vector<double>&)>;

// Wr, Cpr, Tr1, Tr2, Wt, Cpt, Tt1, Tt2
double BalanceSensibleBoth(const std::vector<double>& v, double QL);
// Wr, Cpr, Tr1, Tr2, Wt, rt
double BalanceTubeCondensing(const std::vector<double>& v, double QL, double yt);
// Wr, rr, Wt, Cpt, Tt1, Tt2
double BalanceAnnulusCondensing(const std::vector<double>& v, double QL, double yr);

constexpr int kMaxSolveRounds = 200;

// Newton iteration with a forward-difference derivative relative to the sought value.
// Raises ECalcError when the residual or the iterate is not finite or the iteration does
// not settle within the bound.
double SolveForValue(std::vector<double>& values, int index, const Residual& residual,
                     double relStep, double start);

struct MeanTemperature {
    bool annulusHot = true;    // sign of the first end difference
    std::optional<double> dtm; // empty for a temperature cross
};

// flowType 0 counter-current, 1 co-current.
MeanTemperature MeanTemperatureDifference(int flowType, double Tr1, double Tr2, double Tt1,
                                          double Tt2);

} // namespace tubalon
