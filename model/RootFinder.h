// The one root finder of the calculation: Newton's method with a finite-difference slope,
// bounded in rounds and, where the residual has a domain, in the unknown. It never throws;
// the result says whether it found a root and, if not, why (RootMessage gives the text).
#pragma once

#include <cmath>
#include <limits>
#include <string>

namespace tubalon::model {

struct NewtonOptions {
    // Finite-difference step: the slope is taken between x and x + h, with h = step, or
    // h = step·x when relative (then the step shrinks ×0.1 after every shrinkAfter rounds).
    double step = 1e-6;
    bool relative = false;
    int shrinkAfter = 0; // 0: the step stays
    // Stops when the correction |dx| is below this.
    double tolerance = 1e-6;
    int maxRounds = 200;
    // The unknown must stay strictly between these at every point where the residual is
    // evaluated and at the root.
    double lower = -std::numeric_limits<double>::infinity();
    double upper = std::numeric_limits<double>::infinity();
    // Residual differences |f(x + h) − f(x)| at or below this count as no slope.
    double flat = 0;
};

enum class RootError {
    None,
    NotFinite,     // the residual or the unknown became NaN or infinite
    OutOfRange,    // the unknown left (lower, upper)
    Flat,          // the residual does not change with the unknown
    NoConvergence, // maxRounds rounds without the correction falling below the tolerance
};

struct RootResult {
    double x = 0;   // the root; the last iterate when there is an error
    int rounds = 0; // rounds taken
    RootError error = RootError::None;
    explicit operator bool() const { return error == RootError::None; }
};

// The reason in the program's words, for "无法计算<result>：<reason>".
std::string RootMessage(const RootResult& r);

// Finds x with f(x) = 0 from `start`. f is called as f(double) -> double.
template <class F> RootResult FindRoot(F&& f, double start, const NewtonOptions& o) {
    RootResult r;
    r.x = start;
    const auto inside = [&](double x) { return x > o.lower && x < o.upper; };
    if (!std::isfinite(start)) {
        r.error = RootError::NotFinite;
        return r;
    }
    if (!inside(start)) {
        r.error = RootError::OutOfRange;
        return r;
    }
    double step = o.step;
    int sinceShrink = 0;
    for (r.rounds = 1; r.rounds <= o.maxRounds; ++r.rounds) {
        const double x = r.x;
        const double h = o.relative ? step * x : step;
        const double f1 = f(x);
        const double f2 = f(o.relative ? (1 + step) * x : x + step);
        if (!std::isfinite(f1) || !std::isfinite(f2)) {
            r.error = RootError::NotFinite;
            return r;
        }
        if (!(std::fabs(f2 - f1) > o.flat)) {
            r.error = RootError::Flat;
            return r;
        }
        const double dx = h * f1 / (f2 - f1);
        r.x = x - dx;
        if (!std::isfinite(r.x)) {
            r.error = RootError::NotFinite;
            return r;
        }
        if (!inside(r.x)) {
            r.error = RootError::OutOfRange;
            return r;
        }
        if (o.shrinkAfter > 0 && ++sinceShrink >= o.shrinkAfter) {
            step *= 0.1;
            sinceShrink = 0;
        }
        if (std::fabs(dx) < o.tolerance) return r;
    }
    r.rounds = o.maxRounds;
    r.error = RootError::NoConvergence;
    return r;
}

} // namespace tubalon::model
