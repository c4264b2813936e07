// Automatic choice of the four diameters (pass step 1).
#pragma once

#include "refdata/PipeSeries.h"

namespace tubalon::kernel {

// Runs when CBAuto is ticked and WtD DentD WrD DenrD are filled. Densities: PhtD = 0 → DentD,
// else dtvD; PhrD = 0 → DenrD, else DrvD (a condensing side with its vapour density empty ends
// the call silently). Kettle: an empty TimeD first receives the text of "缺省釜空时/S", and the
// inner velocity is KettleVelocity(SlD filled, SlD, TimeD). The wrapper then applies the
// oversize counter: k += 1 when diiD is filled and above the new inner diameter; when k < 4
// write innerInner → diiD, innerOuter → dioD, outerInner → doiD, outerOuter → dooD and restart
// when dooD was written. After the choice the pipe page returns to key order, first row.
struct AutoPipeIn {
    double innerFlow = 0;       // WtD
    double innerDensity = 0;    // DentD or dtvD
    double annulusFlow = 0;     // WrD
    double annulusDensity = 0;  // DenrD or DrvD
    double boundaryDensity = 0; // "气液分界密度/kg/m3"
    double annulusGas = 0;      // "外管气体速度/m/S"
    double annulusLiquid = 0;   // "外管液体速度/m/S"
    double innerGas = 0;        // "内管气体速度/m/S"
    double innerLiquid = 0;     // "内管液体速度/m/S"
    bool kettle = false;        // ShapeD = 2
    double kettleVelocity = 0;  // KettleVelocity(...), used for the kettle only
};
struct PipeChoice {
    double innerInner = 0; // d_i → diiD
    double innerOuter = 0; // d_o → dioD
    double outerInner = 0; // D_i → doiD
    double outerOuter = 0; // D_o → dooD
};
PipeChoice ChoosePipes(const AutoPipeIn& in, const PipeSeries& table);

// Kettle height over space time when the height is filled, else 0.1 m/s.
double KettleVelocity(bool heightFilled, double height, double spaceTime);

// Above 0.8 m: rounded to 0.01 m (halves to even), wall allowance 0.04 m from 1.5 m, else 0.02.
PipeSize RoundedPipe(double required);

} // namespace tubalon::kernel
