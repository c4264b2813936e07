// Friction factor and the pressure drops of both sides (pass step 13).
#pragma once

#include "calc/Coil.h"
#include "calc/FlowInfo.h"

#include <optional>

namespace tubalon::kernel {

// Darcy friction factor. Re ≤ 2000: 64/Re. Above: Colebrook–White solved for 1/√λ (start 10,
// at most 200 rounds, until the correction is below 1e-6), replaced by the fully rough
// 1/(2·log10(3.7·d/ε))² when Re·√λ·ε/d > 200; ε = 0 is a smooth pipe.
double FrictionFactor(double roughness, double d, double re);

// Laminar flow in a concentric annulus of diameter ratio a = d_o/D_i, with Re and the friction
// factor on the hydraulic diameter D_i − d_o: λ·Re = 64·(1 − a)²/(1 + a² + (1 − a²)/ln a)
// (exact solution; White, Fluid Mechanics, concentric annulus; Shah & London, Laminar Flow
// Forced Convection in Ducts, 1978). Worked values: 95.25 at a = 0.5 (Shah & London's Fanning
// f·Re 23.81, times 4), 64 for a → 0 (the tube), 96 for a → 1 (parallel plates).
double AnnulusLaminarFrictionConstant(double a);

// Step 13 needs DenrD doiD dioD WrD MrD ErD mD SlD WtD DentD diiD MtD EtD; when any is empty
// the call ends with the progress update. Loss coefficients from the parameters:
// ζa = "套管进口" + "套管出口", ζU = "中心管U弯头R/d:1.5".

// Annulus. Fluid: PhrD = 0 → DenrD, MrD; PhrD = 1 with DrvD and MrvD filled → DrvD, MrvD;
// PhrD = 1 with one of them empty → skip the annulus. Result → DpsD.
// Empty result: helical coil without DspD (DpsD keeps its value).
// Regimes method: a straight double pipe at Re ≤ 2000 takes the annulus's own laminar factor
// AnnulusLaminarFrictionConstant(d_o/D_i)/Re; the original method, the coil and the kettle
// keep FrictionFactor.
struct AnnulusDropIn {
    double w = 0;          // WrD
    double density = 0;    // DenrD or DrvD
    double viscosity = 0;  // MrD or MrvD
    double roughness = 0;  // ErD, εr, m
    double outerInner = 0; // doiD, D_i
    double innerOuter = 0; // dioD, d_o
    double passes = 0;     // mD
    double length = 0;     // SlD, L1 (helical: coil diameter)
    Shape shape = Shape::Straight;
    bool pitchFilled = false; // DspD filled
    double pitch = 0;         // DspD
    FilmMethod method = FilmMethod::Regimes;
};
std::optional<double> AnnulusPressureDrop(const AnnulusDropIn& in, double zetaEntryExit);

// Inner side. Fluid: PhtD = 0 → DentD, MtD; PhtD = 1 with dtvD and MtvD filled → dtvD, MtvD;
// PhtD = 1 with one of them empty → the call ends with the progress update. Result → DptD;
// restart when written, else progress update and end. Empty result: helical coil without
// DspD (DptD keeps its value, so the call ends).
struct InnerDropIn {
    double w = 0;          // WtD
    double density = 0;    // DentD or dtvD
    double viscosity = 0;  // MtD or MtvD
    double roughness = 0;  // EtD, εt
    double innerInner = 0; // diiD, d_i
    double innerOuter = 0; // dioD, d_o (coil length)
    double passes = 0;     // mD
    double length = 0;     // SlD
    Shape shape = Shape::Straight;
    bool pitchFilled = false;
    double pitch = 0;
};
std::optional<double> InnerPressureDrop(const InnerDropIn& in, double zetaUBend);

} // namespace tubalon::kernel
