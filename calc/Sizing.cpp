#include "calc/Sizing.h"

#include "calc/KernelCheck.h"

#include <cmath>

namespace tubalon::kernel {

namespace {

// ⌈x⌉, forgiving the last bits of a product that is an integer in decimal terms.
double CeilStep(double x) {
    return std::ceil(x - 1e-9 * std::fabs(x));
}

} // namespace

SizingOut Size(const SizingIn& in) {
    constexpr const char* what = "理论面积";
    RequirePositive(what, "传递热量", in.duty);
    RequirePositive(what, "总传热系数", in.overall);
    RequirePositive(what, "平均温度差", in.meanDiff);
    RequirePositive(what, "内管外径", in.innerOuter);
    RequireFinite(what, "要求富余度", in.margin);
    if (!(in.margin > -1.0)) Fail(what, QStringLiteral("要求富余度必须大于-100%"));

    SizingOut out;
    out.ac = CheckResult(what, in.duty / (in.overall * in.meanDiff));
    const double am = (1.0 + in.margin) * out.ac;
    const double perMetre = kPi * in.innerOuter;
    const double lth = out.ac / perMetre;
    out.la = CheckResult("总管长", CeilStep(20.0 * am / perMetre) / 20.0);
    out.ar = perMetre * out.la;
    out.cs = CheckResult("实际富裕度", (out.la / lth - 1.0) * 100.0);

    if (!in.design) {
        // Rating: the exchanger as built, m passes of L1 (or m coil turns), against the
        // length the duty needs.
        RequirePositive("管程数", "管程数", in.passes);
        out.passes = in.passes;
        double unit = in.length;
        if (in.shape == Shape::Helical) {
            if (!in.pitchFilled) return out; // no turn length: the length of the duty stays
            const Coil coil{true, in.length, in.pitch};
            unit = TurnLength(coil, in.innerOuter, "总管长");
        }
        RequirePositive("总管长", "单程管长", unit);
        out.la = CheckResult("总管长", in.passes * unit);
        out.ar = perMetre * out.la;
        out.cs = CheckResult("实际富裕度", (out.la / lth - 1.0) * 100.0);
    } else if (in.shape == Shape::Kettle) {
        out.passes = 1.0;
    } else if (in.shape == Shape::Helical) {
        if (in.pitchFilled) {
            const Coil coil{true, in.length, in.pitch};
            const double turn = TurnLength(coil, in.innerOuter, "管程数");
            out.passes = CheckResult("管程数", CeilStep(10.0 * out.la / turn) / 10.0);
        }
    } else {
        RequirePositive("管程数", "单程管长", in.length);
        out.passes = CheckResult("管程数", CeilStep(10.0 * out.la / in.length) / 10.0);
    }
    return out;
}

} // namespace tubalon::kernel
