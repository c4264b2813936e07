// The case of one exchanger: the main window's controls that the calculation reads and
// writes, and the state it keeps between calls.
#pragma once

#include "calc/FlowInfo.h"

#include <QSet>
#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace tubalon {

class TEditD;
class TRadioGroup;
class TParamStore;
class PipeSeries;

// Every numeric field of the case, in the window's order.
// clang-format off
#define TUBALON_CASE_FIELDS(X) \
    X(mD) X(ErD) X(dooD) X(doiD) X(DspD) X(SlD) X(BpD) X(UrvD) \
    X(UrD) X(DpsD) X(RsD) X(krD) X(KlD) X(TwaD) X(TwD) X(TaD) \
    X(WrD) X(Tr1D) X(Tr2D) X(QrD) X(QLD) X(CprD) X(DenrD) X(MrD) \
    X(LdrD) X(DHrD) X(DrvD) X(MrvD) X(WtD) X(Tt1D) X(Tt2D) X(QtD) \
    X(CptD) X(DentD) X(MtD) X(LdtD) X(DHtD) X(dtvD) X(PtvD) X(MtvD) \
    X(EtD) X(dioD) X(diiD) X(TimeD) X(UtvD) X(UtD) X(DptD) X(RtD) \
    X(ktD) X(QaD) X(AdtD) X(KaD) X(AcD) X(ArD) X(HLPD) X(CsD) \
    X(LaD)
// clang-format on

struct Case {
#define TUBALON_DECLARE_FIELD(name) TEditD* name = nullptr;
    TUBALON_CASE_FIELDS(TUBALON_DECLARE_FIELD)
#undef TUBALON_DECLARE_FIELD

    QComboBox* ShapeD = nullptr;     // 0 straight, 1 helical, 2 kettle
    QComboBox* CalTypeD = nullptr;   // 0 design, 1 rating
    QComboBox* CsminD = nullptr;     // required margin, percent
    QComboBox* PhrD = nullptr;       // annulus phase: 0 single-phase, 1 condensing
    QComboBox* PhtD = nullptr;       // inner phase
    QComboBox* TmD = nullptr;        // tube material "name | conductivity"
    QComboBox* SmD = nullptr;        // shell material
    QComboBox* PmD = nullptr;        // insulation
    TRadioGroup* FlowType = nullptr; // 0 counter-current, 1 co-current
    TRadioGroup* LayType = nullptr;  // 0 vertical, 1 horizontal
    QCheckBox* CBAuto = nullptr;
    QLineEdit* HTrD = nullptr; // "热流体" / "冷流体"
    QLineEdit* HTtD = nullptr;
    QLineEdit* LarD = nullptr; // non-condensable share, percent
    QLineEdit* LatD = nullptr;

    // Reference data the steps read: system parameters and the pipe table (may be empty).
    const TParamStore* params = nullptr;
    const PipeSeries* pipes = nullptr;
    // Called when the automatic pipe choice ran, so the pipe page shows key order again.
    void (*pipeOrderReset)(void* context) = nullptr;
    void* pipeOrderContext = nullptr;
};

// Kept between calculation calls.
struct CalcState {
    bool temperaturesChanged = false;
    bool flowTypeChanged = false;
    double QL = 0;              // held heat loss, W
    double yt = 0;              // inner non-condensable share
    double yr = 0;              // annulus non-condensable share
    int k = 0;                  // oversize counter of the automatic pipe choice, per call
    bool lengthChanged = false; // step 11 wrote a length earlier steps read: step 12 restarts
    // What the film coefficients krD and ktD last computed rest on.
    kernel::FlowInfo annulusFlow, innerFlow;

    // Results the current pass wrote or found standing within their tolerance, and those of
    // any pass of the call. At the end of a call every other computed or solved field is
    // emptied: no result of an earlier call outlives it.
    QSet<const TEditD*> confirmed, confirmedInCall;
    // What the current pass first lacked to complete ("缺少数据：…"): a step that applies
    // to the case could not run. Empty when nothing was lacking.
    QString lack;
    // Why the last call did not complete: its error, or the input it lacked. Empty when the
    // call completed.
    QString incomplete;
    // Warnings of the last call, in order, each once; the window shows them after the call.
    QStringList warnings;
};

} // namespace tubalon
