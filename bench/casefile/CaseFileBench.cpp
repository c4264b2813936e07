// Open and save of a complete, calculated case on the main window.
#include "app/CalcTool.h"
#include "app/UnitMain.h"
#include "casefile/DocCommands.h"
#include "units/Messages.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tubalon;

namespace {

// The water-water straight double-pipe case, with two variants of the hot flow.
void Fill(TFormTubalon& w, const char* flow) {
    const std::pair<const char*, const char*> kv[] = {
        {"CBAuto", "0"},     {"WrD", flow},       {"CprD", "4180"},  {"Tr1D", "80"},
        {"Tr2D", "60"},      {"CptD", "4180"},    {"Tt1D", "20"},    {"Tt2D", "40"},
        {"DenrD", "977.8"},  {"MrD", "0.000404"}, {"LdrD", "0.668"}, {"DentD", "995.7"},
        {"MtD", "0.000801"}, {"LdtD", "0.618"},   {"dooD", "0.057"}, {"doiD", "0.05"},
        {"dioD", "0.032"},   {"diiD", "0.026"},   {"SlD", "6"},      {"BpD", "0.05"},
        {"TaD", "20"},       {"RsD", "0.0002"},   {"RtD", "0.0002"}, {"ErD", "0.0001"},
        {"EtD", "0.0001"}};
    for (const auto& [k, v] : kv)
        SetControl(w, k, v);
}

void BM_SaveCase(benchmark::State& state) {
    QTemporaryDir dir;
    TFormTubalon w;
    Fill(w, "1");
    const QString path = dir.filePath("case.cdp");
    for (auto _ : state)
        WriteCaseFile(w, path);
}
BENCHMARK(BM_SaveCase)->Unit(benchmark::kMillisecond);

void BM_OpenCase(benchmark::State& state) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.cdp"), b = dir.filePath("b.cdp");
    {
        TFormTubalon w;
        Fill(w, "1");
        WriteCaseFile(w, a);
        Fill(w, "1.5");
        WriteCaseFile(w, b);
    }
    TFormTubalon w;
    bool flip = false;
    // Each pass reads the other case, so every result field changes its text.
    for (auto _ : state) {
        ReadCaseFile(w, flip ? a : b);
        flip = !flip;
    }
}
BENCHMARK(BM_OpenCase)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetHeadlessMessages(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
