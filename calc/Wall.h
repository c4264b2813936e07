// Wall, insulation and heat loss (pass steps 6, 10 and 12).
#pragma once

namespace tubalon::kernel {

// Resistance of a wall between d_in < d_out referred to the outer diameter: thickness
// (d_out − d_in)/2 over the mean diameter, d_out·(d_out − d_in) ÷ ((d_out + d_in)·λ).
double WallResistance(double dOut, double dIn, double conductivity);

// Surface coefficient to ambient air, 9.4 + 0.052·(T − Ta).
double SurfaceCoefficient(double t, double ta);

// Step 6. Needs dooD krD doiD dioD RsD Tr1D Tr2D TaD (dioD is not read); BpD is read without
// a completeness test (empty: conversion error). Writes tw → TwD, kl → KlD, twa → TwaD.
struct InsulationIn {
    double outerOuter = 0;             // dooD, D_o, m
    double outerInner = 0;             // doiD, D_i, m
    double annulusFilm = 0;            // krD, hr
    double rs = 0;                     // RsD
    double shellConductivity = 0;      // λs of SmD
    double thickness = 0;              // BpD, δi, m (0: no insulation)
    double insulationConductivity = 0; // λi of PmD
    double tr1 = 0, tr2 = 0;           // Tr1D, Tr2D
    double ta = 0;                     // TaD
};
struct InsulationOut {
    double tw = 0;         // insulation surface temperature, °C
    double kl = 0;         // loss coefficient annulus fluid → ambient, W/(m²·K)
    double twa = 0;        // outer wall temperature of the outer pipe, °C
    double resistance = 0; // R, annulus fluid to insulation surface, m²·K/W
    int rounds = 0;
};
InsulationOut InsulationSurface(const InsulationIn& in);

// Step 10. Needs RsD dioD doiD diiD krD ktD RtD (doiD is not read). Result → KaD,
// referred to the outer surface of the inner pipe.
struct OverallIn {
    double annulusFilm = 0;      // krD
    double rs = 0;               // RsD
    double innerOuter = 0;       // dioD, d_o
    double innerInner = 0;       // diiD, d_i
    double wallConductivity = 0; // λw of TmD
    double innerFilm = 0;        // ktD
    double rt = 0;               // RtD
};
double OverallCoefficient(const OverallIn& in);

// Step 12. Needs KlD dooD LaD Tr1D Tr2D TaD QrD. Kl is the coefficient from the annulus fluid
// to ambient per unit of the outer pipe's outer surface, so QL = Kl·π·D_o·La·(Tm − Ta), Tm the
// annulus fluid's mean temperature; by the surface balance of step 6 this equals
// hl(Tw)·π·(D_o + 2δi)·La·(Tw − Ta). → QLD, then HeatLossShare(QL, QrD) → HLPD (Qr = 0 raises
// after QLD has been written); a rewritten QLD restarts the pass, since step 7 balances with it.
double HeatLoss(double kl, double outerOuter, double totalLength, double tm, double ta);
double HeatLossShare(double heatLoss, double annulusDuty);

} // namespace tubalon::kernel
