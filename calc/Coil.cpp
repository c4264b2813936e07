#include "calc/Coil.h"

#include "calc/KernelCheck.h"

namespace tubalon::kernel {

double CoilFactor(const Coil& coil, double d, const char* what) {
    if (!coil.on) return 1.0;
    RequirePositive(what, "盘管直径", coil.diameter);
    RequirePositive(what, "螺距", coil.pitch);
    return 1.0 + 3.5 * (1.5 / coil.pitch) * d / coil.diameter;
}

double TurnLength(const Coil& coil, double innerPipeOuter, const char* what) {
    RequirePositive(what, "盘管直径", coil.diameter);
    RequirePositive(what, "螺距", coil.pitch);
    const double pd = coil.pitch * innerPipeOuter;
    return std::sqrt(kPi * kPi * coil.diameter * coil.diameter + pd * pd);
}

} // namespace tubalon::kernel
