// Reading and writing every field of a case: what a calculation on CaseData costs besides
// its formulas.
#include "model/CaseData.h"

#include <benchmark/benchmark.h>

using namespace tubalon::model;

namespace {

// A case with a number in every field, in units other than the first where there are some.
CaseData Filled() {
    CaseData d;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        d.PickUnit(f, static_cast<int>(UnitsOf(Info(f).unit).items.size()) - 1);
        d.SetText(f, "12.345678901234");
    }
    return d;
}

// Every SI value, as the steps of a pass read their inputs.
void BM_ReadAllFields(benchmark::State& state) {
    const CaseData d = Filled();
    for (auto _ : state) {
        double sum = 0;
        for (std::size_t i = 0; i < kFieldCount; ++i) {
            const auto f = static_cast<Field>(i);
            if (d.HasValue(f)) sum += d.SI(f);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kFieldCount));
}
BENCHMARK(BM_ReadAllFields);

// Every field written as a changed result: the 15-digit text formatted and read back.
void BM_WriteAllFieldsChanged(benchmark::State& state) {
    CaseData d = Filled();
    double scale = 1;
    for (auto _ : state) {
        scale = scale == 1 ? 1.01 : 1;
        for (std::size_t i = 0; i < kFieldCount; ++i)
            benchmark::DoNotOptimize(d.WriteResult(static_cast<Field>(i), 12.345 * scale));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kFieldCount));
}
BENCHMARK(BM_WriteAllFieldsChanged);

// Every field offered a result within the tolerance: the usual last pass of a call.
void BM_WriteAllFieldsKept(benchmark::State& state) {
    CaseData d = Filled();
    for (std::size_t i = 0; i < kFieldCount; ++i)
        d.WriteResult(static_cast<Field>(i), 12.345);
    for (auto _ : state)
        for (std::size_t i = 0; i < kFieldCount; ++i)
            benchmark::DoNotOptimize(d.WriteResult(static_cast<Field>(i), 12.345 * (1 + 1e-6)));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kFieldCount));
}
BENCHMARK(BM_WriteAllFieldsKept);

// Every field given a typed text, as opening a case file does.
void BM_TypeAllFields(benchmark::State& state) {
    CaseData d = Filled();
    for (auto _ : state)
        for (std::size_t i = 0; i < kFieldCount; ++i)
            d.SetText(static_cast<Field>(i), "0.0277777777777778");
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kFieldCount));
}
BENCHMARK(BM_TypeAllFields);

} // namespace
