// One calculation call on a filled window, and start-up to the window shown.
#include "app/CalcTool.h"
#include "app/Startup.h"
#include "app/UnitMain.h"
#include "units/EditD.h"
#include "units/Messages.h"

#include <QApplication>
#include <QProcess>
#include <benchmark/benchmark.h>

using namespace tubalon;

namespace {

void Fill(TFormTubalon& w) {
    const std::pair<const char*, const char*> kv[] = {
        {"CBAuto", "0"},     {"WrD", "1"},        {"CprD", "4180"},  {"Tr1D", "80"},
        {"Tr2D", "60"},      {"CptD", "4180"},    {"Tt1D", "20"},    {"Tt2D", "40"},
        {"DenrD", "971.8"},  {"MrD", "0.000355"}, {"LdrD", "0.67"},  {"DentD", "992.2"},
        {"MtD", "0.000653"}, {"LdtD", "0.633"},   {"dooD", "0.057"}, {"doiD", "0.05"},
        {"dioD", "0.032"},   {"diiD", "0.026"},   {"SlD", "6"},      {"BpD", "0.05"},
        {"TaD", "20"},       {"RsD", "0.0002"},   {"RtD", "0.0002"}, {"ErD", "0.0001"},
        {"EtD", "0.0001"}};
    for (const auto& [k, v] : kv)
        SetControl(w, k, v);
}

void BM_CalculationCall(benchmark::State& state) {
    SetHeadlessMessages(true);
    Program p;
    Fill(*p.window);
    int flip = 0;
    for (auto _ : state) {
        // A changed flow makes the call rewrite its results, as after a real edit.
        p.window->Field("WrD")->setText(flip++ % 2 ? "1" : "1.1");
        p.window->WrDExit();
    }
}
BENCHMARK(BM_CalculationCall)->Unit(benchmark::kMicrosecond);

void BM_StartToWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        Program p;
        p.window->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(p.window.get());
    }
}
BENCHMARK(BM_StartToWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

// tubalon-calc for the sample case, as a whole process.
void BM_CalcToolProcess(benchmark::State& state) {
    const QString tool = QCoreApplication::applicationDirPath() + "/../stage/bin/tubalon-calc";
    QStringList args;
    for (const char* kv :
         {"CBAuto=0",     "WrD=1",      "CprD=4180",   "Tr1D=80",      "Tr2D=60",    "CptD=4180",
          "Tt1D=20",      "Tt2D=40",    "DenrD=977.8", "MrD=0.000404", "LdrD=0.668", "DentD=995.7",
          "MtD=0.000801", "LdtD=0.618", "dooD=0.057",  "doiD=0.05",    "dioD=0.032", "diiD=0.026",
          "SlD=6",        "BpD=0.05",   "TaD=20"})
        args << "--set" << kv;
    for (auto _ : state) {
        QProcess p;
        p.start(tool, args);
        if (!p.waitForFinished(10000)) state.SkipWithError("tubalon-calc did not finish");
    }
}
BENCHMARK(BM_CalcToolProcess)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
