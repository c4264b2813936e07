#include "calc/HeatBalance.h"

#include "units/Errors.h"

#include <cmath>

namespace tubalon {

double BalanceSensibleBoth(const std::vector<double>& v, double QL) {
    return v[0] * v[1] * (v[3] - v[2]) + v[4] * v[5] * (v[7] - v[6]) + QL;
}

double BalanceTubeCondensing(const std::vector<double>& v, double QL, double yt) {
    return v[0] * v[1] * (v[3] - v[2]) - v[4] * v[5] * (1 - yt) + QL;
}

double BalanceAnnulusCondensing(const std::vector<double>& v, double QL, double yr) {
    return -v[0] * v[1] * (1 - yr) + v[2] * v[3] * (v[5] - v[4]) + QL;
}

double SolveForValue(std::vector<double>& values, int index, const Residual& residual,
                     double relStep, double start) {
    double x = start;
    double s = relStep;
    values[static_cast<size_t>(index)] = x;
    int i = 0;
    for (int round = 0; round < kMaxSolveRounds; ++round) {
        ++i;
        values[static_cast<size_t>(index)] = x;
        const double f1 = residual(values);
        values[static_cast<size_t>(index)] = (1 + s) * x;
        const double f2 = residual(values);
        if (!std::isfinite(f1) || !std::isfinite(f2))
            throw ECalcError(QStringLiteral("热量平衡无法求解：计算结果不是有限数值。"));
        const double dx = std::fabs(f2 - f1) > 1e-50 ? s * x * f1 / (f2 - f1) : 0.0;
        x -= dx;
        values[static_cast<size_t>(index)] = x;
        if (!std::isfinite(x))
            throw ECalcError(QStringLiteral("热量平衡无法求解：计算结果不是有限数值。"));
        if (i > 20) {
            s *= 0.1;
            i = 0;
        }
        if (std::fabs(dx) < 1e-8) return x;
    }
    throw ECalcError(QStringLiteral("热量平衡求解不收敛，请检查输入数据！"));
}

MeanTemperature MeanTemperatureDifference(int flowType, double Tr1, double Tr2, double Tt1,
                                          double Tt2) {
    double d1 = 0, d2 = 0;
    if (flowType == 0) {
        d1 = Tr1 - Tt2;
        d2 = Tr2 - Tt1;
    } else {
        d1 = Tr1 - Tt1;
        d2 = Tr2 - Tt2;
    }
    MeanTemperature m;
    m.annulusHot = d1 >= 0;
    if (!m.annulusHot) {
        d1 = -d1;
        d2 = -d2;
    }
    if (std::fabs(d1 - d2) < 0.001) {
        if (d1 > 0) m.dtm = d1;
        return m;
    }
    if (d1 > 0 && d2 > 0) m.dtm = (d1 - d2) / std::log(d1 / d2);
    return m;
}

} // namespace tubalon
