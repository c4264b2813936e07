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

// A complete water-water case of the given shape (0 straight, 1 helical, 2 kettle).
void Fill(TFormTubalon& w, int shape) {
    static const char* const shapes[][6] = {
        {"dooD=0.057", "doiD=0.05", "dioD=0.032", "diiD=0.026", "SlD=6", ""},
        {"dooD=0.057", "doiD=0.05", "dioD=0.032", "diiD=0.026", "SlD=0.5", "DspD=1.5"},
        {"dooD=0.912", "doiD=0.9", "dioD=0.816", "diiD=0.8", "SlD=1", ""}};
    QStringList kv = {"ShapeD=" + QString::number(shape), "CBAuto=0"};
    for (const char* a : shapes[shape])
        if (*a) kv << a;
    kv << QStringList{"WrD=1",       "CprD=4180",    "Tr1D=80",     "Tr2D=60",      "CptD=4180",
                      "Tt1D=20",     "Tt2D=40",      "DenrD=971.8", "MrD=0.000355", "LdrD=0.67",
                      "DentD=992.2", "MtD=0.000653", "LdtD=0.633",  "BpD=0.05",     "TaD=20",
                      "RsD=0.0002",  "RtD=0.0002",   "ErD=0.0001",  "EtD=0.0001"};
    SetControls(w, kv);
}

void BM_CalculationCall(benchmark::State& state) {
    SetHeadlessMessages(true);
    Program p;
    Fill(*p.window, static_cast<int>(state.range(0)));
    if (p.window->Field("LaD")->text().isEmpty()) state.SkipWithError("the case is incomplete");
    int flip = 0;
    for (auto _ : state) {
        // A changed flow makes the call rewrite its results, as after a real edit.
        p.window->Field("WrD")->setText(flip++ % 2 ? "1" : "1.1");
        p.window->WrDExit();
    }
}
BENCHMARK(BM_CalculationCall)
    ->ArgName("shape")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond);

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
