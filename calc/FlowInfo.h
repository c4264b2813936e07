// What a side's film coefficient rests on: its Reynolds and Prandtl numbers, the flow regime,
// the correlation used and the warnings about ranges and velocities. Plain data, produced by
// the film kernels and kept with the calculation state for the report, the field tooltips, the
// status bar and the tool's --json.
#pragma once

#include <limits>
#include <string>
#include <vector>

namespace tubalon::kernel {

// The parameter "传热计算方法": 0 picks the correlation by flow regime, 1 keeps the formulas of
// the first releases (one film formula at every Re, the steam formula for condensation in the
// tube, 64/Re in the annulus).
enum class FilmMethod { Regimes = 0, Original = 1 };

enum class Regime { Laminar, Transition, Turbulent, Condensing };

struct FlowInfo {
    bool valid = false; // a film step has filled it
    double h = 0;       // the film coefficient it describes, W/(m²·K)
    double re = std::numeric_limits<double>::quiet_NaN(); // Reynolds number of the correlation
    double pr = std::numeric_limits<double>::quiet_NaN(); // Prandtl number (NaN: not known)
    Regime regime = Regime::Turbulent;
    std::string correlation;           // UTF-8, as shown to the user
    std::vector<std::string> warnings; // UTF-8: ranges exceeded, unusual velocity
    bool usesLength = false;           // read the total length LaD of the previous pass
};

// "层流", "过渡流", "湍流", "冷凝" (UTF-8).
const char* RegimeName(Regime r);

} // namespace tubalon::kernel
