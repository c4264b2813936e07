// One calculation call on the case model, without a window.
#include "calc/Pass.h"
#include "model/CaseRules.h"
#include "refdata/PipeSeries.h"

#include <benchmark/benchmark.h>
#include <utility>

using namespace tubalon;
using model::Field;
using F = Field;

namespace {

// A complete water-water case of the given shape (0 straight, 1 helical, 2 kettle), as the
// window's benchmark fills it.
void Fill(model::CaseData& d, int shape) {
    model::PickShape(d, static_cast<model::Shape>(shape));
    model::ClickAutoPipes(d, false);
    static const std::pair<Field, const char*> shapes[][6] = {{{F::dooD, "0.057"},
                                                               {F::doiD, "0.05"},
                                                               {F::dioD, "0.032"},
                                                               {F::diiD, "0.026"},
                                                               {F::SlD, "6"},
                                                               {F::Count, ""}},
                                                              {{F::dooD, "0.057"},
                                                               {F::doiD, "0.05"},
                                                               {F::dioD, "0.032"},
                                                               {F::diiD, "0.026"},
                                                               {F::SlD, "0.5"},
                                                               {F::DspD, "1.5"}},
                                                              {{F::dooD, "0.912"},
                                                               {F::doiD, "0.9"},
                                                               {F::dioD, "0.816"},
                                                               {F::diiD, "0.8"},
                                                               {F::SlD, "1"},
                                                               {F::Count, ""}}};
    for (const auto& [f, text] : shapes[shape])
        if (f != F::Count) d.SetText(f, text);
    const std::pair<Field, const char*> common[] = {
        {F::WrD, "1"},        {F::CprD, "4180"},  {F::Tr1D, "80"},     {F::Tr2D, "60"},
        {F::CptD, "4180"},    {F::Tt1D, "20"},    {F::Tt2D, "40"},     {F::DenrD, "971.8"},
        {F::MrD, "0.000355"}, {F::LdrD, "0.67"},  {F::DentD, "992.2"}, {F::MtD, "0.000653"},
        {F::LdtD, "0.633"},   {F::BpD, "0.05"},   {F::TaD, "20"},      {F::RsD, "0.0002"},
        {F::RtD, "0.0002"},   {F::ErD, "0.0001"}, {F::EtD, "0.0001"}};
    for (const auto& [f, text] : common)
        d.SetText(f, text);
}

void BM_PassOnCaseData(benchmark::State& state) {
    model::CaseData d;
    engine::PassState s;
    const engine::PassSettings settings = engine::ShippedPassSettings();
    const PipeSeries pipes;
    Fill(d, static_cast<int>(state.range(0)));
    engine::RunPass(d, s, settings, pipes);
    if (!d.Filled(F::LaD)) state.SkipWithError("the case is incomplete");
    int flip = 0;
    for (auto _ : state) {
        // A changed flow makes the call rewrite its results, as after a real edit.
        d.SetText(F::WrD, flip++ % 2 ? "1" : "1.1");
        benchmark::DoNotOptimize(engine::RunPass(d, s, settings, pipes));
    }
}
BENCHMARK(BM_PassOnCaseData)
    ->ArgName("shape")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond);

} // namespace
