// Film coefficients and velocities of both sides (pass steps 2 to 5). Plain functions of SI
// numbers; the step wrappers read the fields, test completeness and write the results.
#pragma once

#include "calc/Coil.h"

namespace tubalon::kernel {

// 4·W ÷ (π·μ·d).
double ReynoldsNumber(double w, double mu, double d);
// Cp·μ ÷ λ.
double PrandtlNumber(double cp, double mu, double lambda);
// Forced convection, one formula at every Re: 0.023·(λ/d)·Re^0.8·Pr^n below 0.003 Pa·s,
// else 0.027·(λ/d)·Re^0.8·Pr^0.33·(0.95 when n ≤ 0.35, else 1.05).
double FilmCoefficient(double n, double mu, double pr, double re, double d, double lambda);
// 0.3 for a hot fluid (HTrD/HTtD exactly "热流体") of density ≥ 100 kg/m³, else 0.4.
double PrandtlExponent(double density, bool hotFluid);
// Vapour velocity from the liquid velocity: u·ρ ÷ ρv (UrvD from UrD, DenrD, DrvD;
// UtvD from UtD, DentD, dtvD).
double VapourVelocity(double liquidVelocity, double liquidDensity, double vapourDensity);

struct FilmResult {
    double h = 0; // film coefficient, W/(m²·K)
    double u = 0; // velocity, m/s
};

// Step 2, annulus single-phase (PhrD = 0). Needs LdrD doiD dioD WrD MrD CprD DenrD.
// Writes h → krD, u → UrD. Re of the annulus is ρ·u·de ÷ μ with the annular velocity,
// that is 4·Wr ÷ (π·μr·(D_i + d_o)); the coefficient uses de = D_i − d_o.
struct AnnulusSinglePhaseIn {
    double w = 0;            // WrD, kg/s
    double cp = 0;           // CprD, J/(kg·K)
    double density = 0;      // DenrD, kg/m³
    double viscosity = 0;    // MrD, Pa·s
    double conductivity = 0; // LdrD, W/(m·K)
    double outerInner = 0;   // doiD, D_i, m
    double innerOuter = 0;   // dioD, d_o, m
    bool hotFluid = false;   // HTrD == "热流体"
    Coil coil;               // ShapeD = 1 with SlD, DspD
};
FilmResult AnnulusSinglePhase(const AnnulusSinglePhaseIn& in);

// Step 4, inner single-phase (PhtD = 0). Needs LdtD diiD WtD MtD CptD DentD.
// Writes h → ktD, u → UtD.
struct InnerSinglePhaseIn {
    double w = 0;            // WtD
    double cp = 0;           // CptD
    double density = 0;      // DentD
    double viscosity = 0;    // MtD
    double conductivity = 0; // LdtD
    double innerInner = 0;   // diiD, d_i
    bool hotFluid = false;   // HTtD == "热流体"
    Coil coil;
};
FilmResult InnerSinglePhase(const InnerSinglePhaseIn& in);

// Step 3, annulus condensing (PhrD = 1). Needs DenrD LdrD doiD dioD diiD MrD DHrD Tr1D Tr2D
// Tt1D Tt2D RsD ktD WrD SlD. Before reading, an empty RtD is filled with 0.0002 (computed
// colour). Writes h → krD, u → UrD; then, when UrD DenrD DrvD are filled,
// VapourVelocity(UrD, DenrD, DrvD) → UrvD.
struct AnnulusCondensingIn {
    double w = 0;                // WrD
    double density = 0;          // DenrD (condensate liquid)
    double viscosity = 0;        // MrD
    double conductivity = 0;     // LdrD
    double latentHeat = 0;       // DHrD, J/kg
    double outerInner = 0;       // doiD, D_i
    double innerOuter = 0;       // dioD, d_o
    double innerInner = 0;       // diiD, d_i
    double tr1 = 0, tr2 = 0;     // Tr1D, Tr2D, °C
    double tt1 = 0, tt2 = 0;     // Tt1D, Tt2D, °C
    double rs = 0;               // RsD, m²·K/W
    double rt = 0;               // RtD, m²·K/W
    double innerFilm = 0;        // ktD, ht of the previous pass, W/(m²·K)
    double wallConductivity = 0; // λw of TmD
    double length = 0;           // SlD, L1 (kettle height)
    double nonCondensable = 0;   // held share yr (fraction)
    Shape shape = Shape::Straight;
    bool kettleLying = false; // LayType = 1
    Coil coil;
};
struct CondensingResult {
    double h = 0;
    double u = 0;
    double wallTemperature = 0; // θw at the end, °C (not shown)
    int rounds = 0;
};
CondensingResult AnnulusCondensing(const AnnulusCondensingIn& in);

// Step 5, inner condensing (PhtD = 1). Needs diiD WtD DentD Tt1D. Writes h → ktD, u → UtD;
// then, when UtD DentD dtvD are filled, VapourVelocity(UtD, DentD, dtvD) → UtvD.
struct InnerCondensingIn {
    double w = 0;          // WtD
    double density = 0;    // DentD (liquid)
    double innerInner = 0; // diiD
    double tt1 = 0;        // Tt1D, °C
    bool haveDuty = false; // LaD and QtD both filled
    double length = 0;     // LaD (previous pass), m
    double duty = 0;       // QtD (previous pass), W, negative when condensing
    Coil coil;
};
FilmResult InnerCondensing(const InnerCondensingIn& in);

} // namespace tubalon::kernel
