// The engineering kernels of one complete pass for each shape, and the pipe lookups of the
// automatic choice. Goals: a pass under 20 µs, the lookups under 100 µs. The film coefficients
// by regime are measured beside them.
#include "calc/AutoPipe.h"
#include "calc/Film.h"
#include "calc/PressureDrop.h"
#include "calc/Sizing.h"
#include "calc/Wall.h"

#include <benchmark/benchmark.h>

using namespace tubalon;
using namespace tubalon::kernel;

namespace {

PipeSeries Series() {
    // The shipped series' sizes (outer × wall, mm).
    const double sizes[][2] = {
        {10, 2},   {12, 2},   {14, 2},   {16, 2},    {18, 2},   {19, 2},   {20, 2},  {22, 2},
        {25, 2},   {25, 2.5}, {28, 2.5}, {32, 2.5},  {32, 3},   {38, 2.5}, {38, 3},  {45, 2.5},
        {45, 3},   {48, 3.5}, {57, 3},   {57, 3.5},  {60, 3.5}, {76, 3.5}, {76, 4},  {89, 4},
        {108, 4},  {114, 4},  {133, 4},  {159, 4.5}, {168, 5},  {194, 6},  {219, 6}, {245, 7},
        {273, 7},  {325, 8},  {377, 9},  {426, 9},   {480, 9},  {530, 9},  {630, 9}, {720, 10},
        {820, 10}, {920, 10}, {1020, 10}};
    std::vector<PipeRow> rows;
    int id = 1;
    for (const auto& s : sizes)
        rows.push_back({id++, QString(), s[0], s[0] - 2 * s[1]});
    return PipeSeries(std::move(rows));
}

// One pass: pipes, both films (annulus condensing for the kettle), insulation, overall
// coefficient, sizing, heat loss and both pressure drops.
double Pass(Shape shape, const PipeSeries& table) {
    AutoPipeIn ap{0.5,
                  995,
                  0.8,
                  975,
                  100,
                  20,
                  1.5,
                  20,
                  1.5,
                  shape == Shape::Kettle,
                  KettleVelocity(true, 2, 20)};
    const PipeChoice p = ChoosePipes(ap, table);
    const Coil coil{shape == Shape::Helical, 0.5, 1.5};
    double h_t = 0, h_r = 0;
    if (shape == Shape::Kettle) {
        InnerSinglePhaseIn t{0.5, 4180, 995, 0.0008, 0.62, p.innerInner, false, coil};
        h_t = InnerSinglePhase(t).h;
        AnnulusCondensingIn r;
        r.w = 0.05;
        r.density = 943;
        r.viscosity = 0.000232;
        r.conductivity = 0.683;
        r.latentHeat = 2.2e6;
        r.outerInner = p.outerInner;
        r.innerOuter = p.innerOuter;
        r.innerInner = p.innerInner;
        r.tr1 = r.tr2 = 120;
        r.tt1 = 20;
        r.tt2 = 60;
        r.rs = r.rt = 0.0002;
        r.innerFilm = h_t;
        r.wallConductivity = 52.34;
        r.length = 2;
        r.shape = shape;
        h_r = AnnulusCondensing(r).h;
    } else {
        AnnulusSinglePhaseIn r{0.8,          4190,         975,  0.0004, 0.67,
                               p.outerInner, p.innerOuter, true, coil};
        h_r = AnnulusSinglePhase(r).h;
        InnerSinglePhaseIn t{0.5, 4180, 995, 0.0008, 0.62, p.innerInner, false, coil};
        h_t = InnerSinglePhase(t).h;
    }
    const InsulationOut ins = InsulationSurface(
        {p.outerOuter, p.outerInner, h_r, 0.0002, 52.34, 0.05, 0.033, 80, 60, 20});
    const double k =
        OverallCoefficient({h_r, 0.0002, p.innerOuter, p.innerInner, 52.34, h_t, 0.0002});
    SizingIn s;
    s.duty = 40000;
    s.overall = k;
    s.meanDiff = 35;
    s.margin = 0.1;
    s.innerOuter = p.innerOuter;
    s.length = shape == Shape::Helical ? 0.5 : 2;
    s.shape = shape;
    s.pitchFilled = true;
    s.pitch = 1.5;
    const SizingOut so = Size(s);
    const double ql = HeatLoss(ins.kl, p.outerOuter, so.la, 70, 20);
    const double hlp = HeatLossShare(ql, -40000);
    const double m = *so.passes;
    const auto dpr = AnnulusPressureDrop(
        {0.8, 975, 0.0004, 0.0002, p.outerInner, p.innerOuter, m, s.length, shape, true, 1.5}, 2.8);
    const auto dpt = InnerPressureDrop(
        {0.5, 995, 0.0008, 0.0002, p.innerInner, p.innerOuter, m, s.length, shape, true, 1.5},
        0.35);
    return hlp + *dpr + *dpt;
}

void BM_Pass(benchmark::State& state) {
    const PipeSeries table = Series();
    const Shape shape = static_cast<Shape>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(Pass(shape, table));
}
BENCHMARK(BM_Pass)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The film coefficients of both sides by regime, with the length of the previous pass: laminar
// oil (Re 300), transition (Re 5800), turbulent water and condensation in the tube.
void BM_FilmsByRegime(benchmark::State& state) {
    const double flows[] = {0.1, 0.095, 0.5};
    const double viscosities[] = {0.02, 0.000801, 0.000801};
    const int k = static_cast<int>(state.range(0));
    InnerSinglePhaseIn t{flows[k], 4180, 995, viscosities[k], 0.6, 0.02, false, {}};
    t.length = 18;
    AnnulusSinglePhaseIn r{flows[k], 4190, 975, viscosities[k], 0.65, 0.041, 0.025, true, {}};
    r.length = 18;
    const InnerCondensingIn c{0.05, 582.9,  0.026, 0,   false, 0, 0, {}, FilmMethod::Regimes,
                              2520, 159e-6, 0.098, 6.36};
    for (auto _ : state) {
        benchmark::DoNotOptimize(InnerSinglePhase(t).h + AnnulusSinglePhase(r).h);
        benchmark::DoNotOptimize(InnerCondensing(c).h);
    }
}
BENCHMARK(BM_FilmsByRegime)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_PipeLookups(benchmark::State& state) {
    const PipeSeries table = Series();
    double d = 0.01;
    for (auto _ : state) {
        const PipeSize inner = table.LookupByInnerDiameter(d);
        benchmark::DoNotOptimize(table.LookupByInnerDiameter(inner.outer * 1.6));
        d = d > 0.7 ? 0.01 : d * 1.07;
    }
}
BENCHMARK(BM_PipeLookups)->Unit(benchmark::kMicrosecond);

} // namespace
