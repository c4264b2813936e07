// "&C 计算" for a record whose six cells mix a table, formulas and Peng-Robinson calls; the
// goal is well under 1 ms a run.
#include "formula/MyValues.h"
#include "props/PropCell.h"
#include "props/PropLib.h"
#include "props/SimpProps.h"
#include "units/Messages.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tubalon;

namespace {

TPropRecord MixedRecord() {
    const QString crit = "3770,132.5,88.3,0.302,0.035,28.97";
    TPropRecord r;
    r.f[0] = "001";
    r.f[1] = "空气";
    r.f[3] = "(28.11+0.1967E-2*T+0.4802E-5*T^2-1.966E-9*T^3)/M*1000+PRRCP PARAMS:" + crit;
    r.f[4] = "PRD:" + crit;
    r.f[5] = "PRV:" + crit;
    r.f[6] = "-23.15,0.0223;26.85,0.0263;76.85,0.03;126.85,0.0338;176.85,0.0373;226.85,0.0407";
    r.f[7] = "0.2358*(1-T/647.096)^1.256*(1-0.625*(1-T/647.096))";
    r.f[8] = "1E6*((1-Tr)/(1-300/Tc))^0.38 PARAMS:8097,512.64";
    return r;
}

void BM_SixCells(benchmark::State& state) {
    const TPropRecord r = MixedRecord();
    TPlainValues values;
    values.SetValue("t", "35");
    for (auto _ : state) {
        for (const TPropCellName& c : PropCellNames()) {
            TCellOutcome o = EvaluatePropertyCell(&r, QLatin1String(c.field), values);
            benchmark::DoNotOptimize(o.value);
        }
    }
}
BENCHMARK(BM_SixCells)->Unit(benchmark::kMicrosecond);

void BM_DialogCalculate(benchmark::State& state) {
    QTemporaryDir dir;
    {
        TPropLib lib;
        lib.OpenEmpty();
        lib.Append(MixedRecord());
        lib.Save(PropLibPath(dir.path()));
    }
    TFormSimpPL dlg(dir.path());
    dlg.MyValues1->SetValue("t", "35");
    for (auto _ : state)
        dlg.BBCal->click();
    if (MessagesShown() != 0) state.SkipWithError("a property failed");
}
BENCHMARK(BM_DialogCalculate)->Unit(benchmark::kMicrosecond);

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
