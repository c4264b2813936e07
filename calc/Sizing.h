// Areas, length, passes or turns and margin (pass step 11).
#pragma once

#include "calc/Coil.h"

#include <optional>

namespace tubalon::kernel {

// Step 11. Needs QaD KaD AdtD dioD SlD. Rating mode (CalTypeD = 1) with mD empty ends the
// call before this kernel (without the progress update). Writes, in this order: kettle only,
// la → SlD (restart when written, else ClearComputed(SlD) and set it to la again); then
// cs → CsD, ac → AcD, passes → mD (only when it has a value), ar → ArD, la → LaD.
struct SizingIn {
    double duty = 0;       // QaD, Qa, W
    double overall = 0;    // KaD, K
    double meanDiff = 0;   // AdtD, Δtm, K
    double margin = 0;     // CsminD as a number ÷ 100
    double innerOuter = 0; // dioD, d_o
    double length = 0;     // SlD, L1 (straight: pass length; helical: Dc; kettle: height)
    bool design = true;    // CalTypeD = 0
    Shape shape = Shape::Straight;
    bool pitchFilled = false; // DspD filled (helical)
    double pitch = 0;         // DspD
    double passes = 0;        // mD, rating mode only
};
struct SizingOut {
    double ac = 0; // theoretical area, m²
    double la = 0; // design: total length rounded up to 0.05 m; rating: m passes (turns) built
    double ar = 0; // installed area π·d_o·La
    double cs = 0; // actual margin, %
    // Passes, turns or 1 for the kettle; empty for a helical design without a pitch
    // (mD keeps its value).
    std::optional<double> passes;
};
SizingOut Size(const SizingIn& in);

} // namespace tubalon::kernel
