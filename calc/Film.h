// Film coefficients and velocities of both sides (pass steps 2 to 5). Plain functions of SI
// numbers; the step wrappers read the fields, test completeness and write the results.
#pragma once

#include "calc/Coil.h"
#include "calc/FlowInfo.h"

#include <string>

namespace tubalon::kernel {

// Regime limits of straight tubes and annuli (VDI Heat Atlas, 2nd ed. 2010, G1 §4): laminar
// below 2300, fully turbulent from 10⁴, transition between.
constexpr double kLaminarLimit = 2300.0;
constexpr double kTurbulentLimit = 1.0e4;

// 4·W ÷ (π·μ·d).
double ReynoldsNumber(double w, double mu, double d);
// Cp·μ ÷ λ.
double PrandtlNumber(double cp, double mu, double lambda);
// Forced convection in turbulent flow: 0.023·(λ/d)·Re^0.8·Pr^n below 0.003 Pa·s
// (Dittus–Boelter, revised constant), else 0.027·(λ/d)·Re^0.8·Pr^0.33·(0.95 when n ≤ 0.35,
// else 1.05) (Sieder–Tate form without the wall-viscosity ratio). Sources and ranges as given
// by Rohsenow, Hartnett & Cho, Handbook of Heat Transfer, 3rd ed. 1998 (via the ht library's
// turbulent_Dittus_Boelter and turbulent_Sieder_Tate): Dittus–Boelter Re ≥ 10⁴,
// 0.6 ≤ Pr ≤ 160, L/d ≥ 10; Sieder–Tate Re ≥ 10⁴, 0.7 ≤ Pr ≤ 16700, L/d ≥ 10.
// Worked value: Re 10⁵, Pr 1.2 gives Nu = 247.400 (n = 0.4).
double FilmCoefficient(double n, double mu, double pr, double re, double d, double lambda);
// 0.3 for a hot fluid (HTrD/HTtD exactly "热流体") of density ≥ 100 kg/m³, else 0.4.
double PrandtlExponent(double density, bool hotFluid);
// Vapour velocity from the liquid velocity: u·ρ ÷ ρv (UrvD from UrD, DenrD, DrvD;
// UtvD from UtD, DentD, dtvD).
double VapourVelocity(double liquidVelocity, double liquidDensity, double vapourDensity);

// Mean Nusselt number of laminar flow in a tube at constant wall temperature, thermally and
// hydrodynamically developing over the length L (Gnielinski, VDI Heat Atlas, 2nd ed. 2010,
// G1 §3.1; VDI-Wärmeatlas 2002 p. Ga 2 eq. 12):
//   Nu = [3.66³ + 0.7³ + (1.615·X^(1/3) − 0.7)³ + ((2/(1 + 22·Pr))^(1/6)·X^(1/2))³]^(1/3),
//   X = Re·Pr·d/L. dOverL = 0 (length not known) gives the fully developed 3.66.
// Range: Re < 2300, 0.6 ≤ Pr ≤ 1000 (as stated with the VDI equations in the Modelica
// Standard Library, Modelica.Fluid.Dissipation.HeatTransfer.StraightPipe).
double TubeLaminarNusselt(double re, double pr, double dOverL);

// Mean Nusselt number of laminar flow in a concentric annulus, heat through the inner wall,
// the outer wall insulated, thermally and hydrodynamically developing over L (Gnielinski,
// VDI Heat Atlas, 2nd ed. 2010, G2 §2):
//   Nu = [(3.66 + 1.2·a^−0.8)³ + (1.615·(1 + 0.14·a^−1/2)·X^(1/3))³
//         + ((2/(1 + 22·Pr))^(1/6)·X^(1/2))³]^(1/3),
//   a = d_o/D_i, X = Re·Pr·d_h/L, d_h = D_i − d_o. dhOverL = 0: fully developed
//   3.66 + 1.2·a^−0.8 (5.75 at a = 0.5, against 5.74 of Kays & Perkins' table in Incropera
//   et al., Fundamentals of Heat and Mass Transfer, Table 8.2).
double AnnulusLaminarNusselt(double re, double pr, double a, double dhOverL);

// Critical Reynolds number of a helical coil (Schmidt, Chem. Ing. Tech. 39 (1967) 781–789):
// 2300·(1 + 8.6·(d/Dc)^0.45). Worked value (fluids library, helical_transition_Re_Schmidt):
// d = 0.01 m, Dc = 2.5 m gives 3948.744.
double CoilCriticalReynolds(double dOverDc);

// Mean Nusselt number of fully developed laminar flow in a helical coil at constant wall
// temperature (Manlapaz & Churchill, Chem. Eng. Commun. 9 (1981) 185–200):
//   Nu = [(3.657 + 4.343/x1)³ + 1.158·(De/x2)^(3/2)]^(1/3), De = Re·(d/Dc)^(1/2),
//   x1 = (1 + 957/(De²·Pr))², x2 = 1 + 0.477/Pr.
// The straight tube's 3.657 at De → 0; stated for all Prandtl and Dean numbers.
double CoilLaminarNusselt(double re, double pr, double dOverDc);

// Condensation inside a tube, Boyko & Kruzhilin (Int. J. Heat Mass Transfer 10 (1967)
// 361–373, as given by Hewitt, Shires & Bott, Process Heat Transfer, 1994, p. 589):
// local coefficient at vapour quality x
//   h = h_lo·[1 + x·(ρl/ρv − 1)]^(1/2), h_lo = 0.021·(λl/d)·Re_lo^0.8·Pr_l^0.43,
//   Re_lo = 4·W/(π·d·μl) (all flow as liquid).
// Worked value (Hewitt p. 589): W = 500·π/4·0.03² kg/s, ρv 6.36, ρl 582.9, λl 0.098,
// μl 159e-6, cp 2520, d 0.03 m, x = 0.85: 10598.66 W/(m²·K).
// The liquid-only term is Mikheev's turbulent tube formula, Re_lo ≥ 10⁴, 0.6 ≤ Pr ≤ 2500.
double BoykoKruzhilin(double w, double vapourDensity, double liquidDensity, double conductivity,
                      double viscosity, double cp, double d, double quality);
// The mean over a complete condensation, from x = 1 to x = 0 (the mean of both ends, as
// Hewitt et al. advise): h_lo·(√(ρl/ρv) + 1)/2.
double BoykoKruzhilinMean(double w, double vapourDensity, double liquidDensity, double conductivity,
                          double viscosity, double cp, double d);

// The usual velocities of process practice: liquid 0.3–3 m/s, gas or vapour 5–30 m/s.
// Empty when u lies inside, else the warning text (UTF-8).
std::string VelocityWarning(double u, bool gas);

struct FilmResult {
    double h = 0; // film coefficient, W/(m²·K)
    double u = 0; // velocity, m/s
    FlowInfo flow;
};

// Step 2, annulus single-phase (PhrD = 0). Needs LdrD doiD dioD WrD MrD CprD DenrD.
// Writes h → krD, u → UrD. Re of the annulus is ρ·u·de ÷ μ with the annular velocity,
// that is 4·Wr ÷ (π·μr·(D_i + d_o)); the coefficient uses de = D_i − d_o.
// Regimes method: laminar (VDI G2 over the length LaD, fully developed when it is empty),
// transition and turbulent as for the tube, with d = de and a = d_o/D_i. On a helical coil the
// regime limits are Schmidt's with de/Dc; the laminar annulus keeps the straight annulus's
// coefficient (no curvature gain is counted), the turbulent one takes the coil factor.
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
    FilmMethod method = FilmMethod::Regimes;
    double length = 0; // LaD of the previous pass, m; 0 when empty
};
FilmResult AnnulusSinglePhase(const AnnulusSinglePhaseIn& in);

// Step 4, inner single-phase (PhtD = 0). Needs LdtD diiD WtD MtD CptD DentD.
// Writes h → ktD, u → UtD.
// Regimes method: Re < 2300 laminar (VDI G1 over the length LaD), 2300 ≤ Re < 10⁴ transition
// (VDI G1 §4: Nu = (1 − γ)·Nu_lam(2300) + γ·Nu_t(10⁴), γ = (Re − 2300)/(10⁴ − 2300)), from 10⁴
// FilmCoefficient. On a helical coil: laminar below Schmidt's critical Re (Manlapaz–Churchill),
// FilmCoefficient with the coil factor from 10⁴ (from 2.2·10⁴, VDI G3's upper end, when the
// critical Re is not below 10⁴), blended linearly between.
struct InnerSinglePhaseIn {
    double w = 0;            // WtD
    double cp = 0;           // CptD
    double density = 0;      // DentD
    double viscosity = 0;    // MtD
    double conductivity = 0; // LdtD
    double innerInner = 0;   // diiD, d_i
    bool hotFluid = false;   // HTtD == "热流体"
    Coil coil;
    FilmMethod method = FilmMethod::Regimes;
    double length = 0; // LaD of the previous pass, m; 0 when empty
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
    double cp = 0; // CprD when filled, for the condensate's Prandtl number shown; else 0
};
struct CondensingResult {
    double h = 0;
    double u = 0;
    double wallTemperature = 0; // θw at the end, °C (not shown)
    int rounds = 0;
    FlowInfo flow;
};
CondensingResult AnnulusCondensing(const AnnulusCondensingIn& in);

// Step 5, inner condensing (PhtD = 1). Writes h → ktD, u → UtD; then, when UtD DentD dtvD are
// filled, VapourVelocity(UtD, DentD, dtvD) → UtvD.
// Regimes method: needs diiD WtD DentD CptD MtD LdtD dtvD; BoykoKruzhilinMean with the
// condensate properties of the inner side and the coil factor on a helical coil.
// Original method: needs diiD WtD DentD Tt1D; the dimensional steam formula
// 1.36·B·q^0.5·La^0.35·d_i^−0.25, B = 11.8333 − 0.0333333·Tt1, with the flux and length of the
// previous pass (50000 W/m² and 5 m before they exist).
struct InnerCondensingIn {
    double w = 0;          // WtD
    double density = 0;    // DentD (liquid)
    double innerInner = 0; // diiD
    double tt1 = 0;        // Tt1D, °C
    bool haveDuty = false; // LaD and QtD both filled
    double length = 0;     // LaD (previous pass), m
    double duty = 0;       // QtD (previous pass), W, negative when condensing
    Coil coil;
    FilmMethod method = FilmMethod::Regimes;
    double cp = 0;            // CptD, condensate
    double viscosity = 0;     // MtD, condensate (original method: 0 when empty)
    double conductivity = 0;  // LdtD, condensate
    double vapourDensity = 0; // dtvD
};
FilmResult InnerCondensing(const InnerCondensingIn& in);

} // namespace tubalon::kernel
