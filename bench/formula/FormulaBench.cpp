// One property evaluation as the property dialog makes it: a fresh parser, the expanded
// formula of t and p, the dialog's named-values table. Goal: under 20 µs.
#include "formula/FormulaParser.h"
#include "formula/MyValues.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace tubalon;

namespace {

// A liquid density formula after the property expansion (T replaced by (t+273.15)).
const QString kFormula =
    QStringLiteral("1000*exp(-0.0002*((t+273.15)-293.15)-1.2E-6*((t+273.15)-293.15)^2)"
                   "*(1+4.5E-7*(1.0E3*p-101325))");

void BM_EvaluateWithValues(benchmark::State& state) {
    TMyValues table;
    table.LoadPropertyDialogForm();
    int code = 0;
    for (auto _ : state) {
        long double v = EvaluateWithValues(kFormula, &table, code);
        benchmark::DoNotOptimize(v);
    }
    if (code != 0) state.SkipWithError("formula failed");
}
BENCHMARK(BM_EvaluateWithValues);

void BM_EvaluateShort(benchmark::State& state) {
    TMyValues table;
    table.LoadPropertyDialogForm();
    int code = 0;
    const QString text = QStringLiteral("4180-0.5*t");
    for (auto _ : state) {
        long double v = EvaluateWithValues(text, &table, code);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_EvaluateShort);

} // namespace

// The parts: construction alone, evaluation alone.
namespace {

void BM_Construct(benchmark::State& state) {
    for (auto _ : state) {
        TFormulaParser p;
        benchmark::DoNotOptimize(&p);
    }
}
BENCHMARK(BM_Construct);
void BM_EvaluateOnly(benchmark::State& state) {
    TFormulaParser p;
    const std::string s = kFormula.toStdString();
    for (auto _ : state) {
        long double v = p.Evaluate(s);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_EvaluateOnly);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
