#include "calc/AutoPipe.h"

#include "calc/KernelCheck.h"

#include <cmath>

namespace tubalon::kernel {

namespace {

constexpr const char* kWhat = "管径";
constexpr double kTableLimit = 0.8;

} // namespace

double KettleVelocity(bool heightFilled, double height, double spaceTime) {
    if (!heightFilled) return 0.1;
    RequirePositive(kWhat, "釜高度", height);
    RequirePositive(kWhat, "夹套釜空时", spaceTime);
    return height / spaceTime;
}

PipeSize RoundedPipe(double required) {
    PipeSize p;
    p.inner = std::nearbyint(required * 100.0) / 100.0;
    p.outer = p.inner + (p.inner >= 1.5 ? 0.04 : 0.02);
    return p;
}

PipeChoice ChoosePipes(const AutoPipeIn& in, const PipeSeries& table) {
    RequirePositive(kWhat, "内管质量流量", in.innerFlow);
    RequirePositive(kWhat, "内管密度", in.innerDensity);
    RequirePositive(kWhat, "环道质量流量", in.annulusFlow);
    RequirePositive(kWhat, "环道密度", in.annulusDensity);
    RequireFinite(kWhat, "气液分界密度", in.boundaryDensity);
    const double ur = in.annulusDensity >= in.boundaryDensity ? in.annulusLiquid : in.annulusGas;
    double ut = in.innerDensity >= in.boundaryDensity ? in.innerLiquid : in.innerGas;
    if (in.kettle) ut = in.kettleVelocity;
    RequirePositive(kWhat, "外管缺省流速", ur);
    RequirePositive(kWhat, "内管缺省流速", ut);

    const double dReq = std::sqrt(4.0 * in.innerFlow / (kPi * in.innerDensity * ut));
    const double annulusArea = 4.0 * in.annulusFlow / (kPi * in.annulusDensity * ur);
    CheckResult(kWhat, dReq);
    PipeChoice c;
    if (dReq <= kTableLimit) {
        const PipeSize inner = table.LookupByInnerDiameter(dReq);
        const double dOuterReq = std::sqrt(inner.outer * inner.outer + annulusArea);
        const PipeSize outer = table.LookupByInnerDiameter(dOuterReq);
        c = {inner.inner, inner.outer, outer.inner, outer.outer};
    } else {
        const PipeSize inner = RoundedPipe(dReq);
        const PipeSize outer = RoundedPipe(std::sqrt(inner.outer * inner.outer + annulusArea));
        c = {inner.inner, inner.outer, outer.inner, outer.outer};
    }
    CheckResult(kWhat, c.outerOuter);
    return c;
}

} // namespace tubalon::kernel
