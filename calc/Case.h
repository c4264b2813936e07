// The case of one exchanger: the main window's controls that the calculation reads and
// writes, and the state it keeps between calls.
#pragma once

#include "calc/Pass.h"

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

// Kept between calculation calls: what the pass keeps, and the two marks the window sets when
// the user changes a temperature or clicks the flow arrangement.
struct CalcState : engine::PassState {
    bool temperaturesChanged = false;
    bool flowTypeChanged = false;
};

} // namespace tubalon
