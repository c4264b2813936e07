// The calculation pass on the case model: the driver and the 13 steps read and write
// model::CaseData only. A step returns its outcome; its messages go into the state (warnings,
// what the pass lacked) or leave as an exception that ends the call. Nothing here knows a
// widget: the window, the command-line tool and the tests run the same pass.
#pragma once

#include "calc/FlowInfo.h"
#include "model/CaseData.h"

#include <QString>
#include <QStringList>
#include <bitset>
#include <initializer_list>
#include <vector>

namespace tubalon {
class PipeSeries;
}

namespace tubalon::engine {

using model::CaseData;
using model::Field;

// The system parameters the pass reads, as their texts stand in Params.ini (read as numbers
// where a step needs them, so that a bad value is told by the step that reads it).
struct PassSettings {
    QString filmMethod;      // "传热计算方法": empty or 0 by regime, 1 the original formulas
    QString boundaryDensity; // gas/liquid boundary density, kg/m³
    QString annulusGasVelocity; // usual velocities of the automatic pipe choice, m/s
    QString annulusLiquidVelocity;
    QString innerGasVelocity;
    QString innerLiquidVelocity;
    QString kettleSpaceTime; // the kettle's space time when TimeD is empty, s
    QString annulusEntry;    // loss coefficients of the annulus entry and exit
    QString annulusExit;
    QString uBend; // loss coefficient of a U bend of the inner pipe
    bool operator==(const PassSettings&) const = default;
};
// The values Params.ini ships with (the settings store's defaults agree; a test holds them).
PassSettings ShippedPassSettings();

using FieldSet = std::bitset<model::kFieldCount>;

// What the pass keeps between calls beside CaseData::memory, and what a call found.
struct PassState {
    int k = 0;                  // oversize counter of the automatic pipe choice, per call
    bool lengthChanged = false; // step 11 wrote a length earlier steps read: step 12 restarts
    // What the film coefficients krD and ktD last computed rest on.
    kernel::FlowInfo annulusFlow, innerFlow;
    // Results the current pass wrote or found standing within their tolerance, and those of
    // any pass of the call. At the end of a call every other computed or solved field is
    // emptied: no result of an earlier call outlives it.
    FieldSet confirmed, confirmedInCall;
    // What the current pass first lacked to complete ("缺少数据：…"). Empty when nothing was.
    QString lack;
    // Why the last call did not complete: its error, or the input it lacked. Empty when the
    // call completed.
    QString incomplete;
    // Warnings of the last call, in order, each once; shown after the call.
    QStringList warnings;
    // The automatic pipe choice ran in the last call (the pipe page shows key order again).
    bool pipesChosen = false;
};

enum class StepOutcome {
    Continue,        // go on with the next step
    Restart,         // a result that earlier steps depend on changed: new pass
    EndCall,         // end the call without the progress display
    EndCallProgress, // end the call with the progress display
};

// What a step works on.
struct Pass {
    CaseData& d;
    PassState& s;
    const PassSettings& settings;
    const PipeSeries& pipes;
};

using StepFn = StepOutcome (*)(Pass&);

struct PassStep {
    int number;
    const char* what;
    StepFn run;
    // The fields the step writes (the reader's index from a field to its step).
    std::vector<Field> writes;
};

// The steps of one pass, in order.
const std::vector<PassStep>& PassSteps();

constexpr int kMaxPassCount = 200;

struct CalcResult {
    int passes = 0;
    bool progress = false; // the call ended with the progress display
    bool boundHit = false; // the pass bound was reached
    bool complete = false; // every step that applies to the case ran in the last pass
};

// Runs one calculation call on the case. It ends by emptying every computed or solved field
// its last pass did not confirm (a solved field becomes an empty input again); s.incomplete
// tells why a call did not complete. Errors of the steps (tubalon::Error) propagate after that.
CalcResult RunPass(CaseData& d, PassState& s, const PassSettings& settings,
                   const PipeSeries& pipes);

// ---- for the steps ----
// The SI value of a field; a text that is not a number raises EConvertError naming the field.
double V(const Pass& p, Field f);
// A result written unless it stands within the tolerance; true when written. It counts
// confirmed by the pass. A value not finite in the field's unit raises ECalcError.
bool Write(Pass& p, Field f, double v, model::Provenance as = model::Provenance::Computed,
           double tolerance = model::kResultTolerance);
// A result left as it stands (still valid) counts confirmed by the pass.
void Confirm(Pass& p, Field f);
// True when every field holds a text and, where it is a computed result, the pass confirmed
// it. Otherwise the first that does not is noted as what the pass lacked.
bool Need(Pass& p, std::initializer_list<Field> fields);
// The same for optional inputs: nothing is noted.
bool Have(const Pass& p, std::initializer_list<Field> fields);
// Every field holds a text (blanks count).
bool AllFilled(const Pass& p, std::initializer_list<Field> fields);
// Notes why the pass cannot complete, unless an earlier step noted a reason.
void NoteLack(PassState& s, const QString& why);
// The caption a message names a field by ("质量流量", SlD as its label says now).
QString FieldCaption(const CaseData& d, Field f);

} // namespace tubalon::engine
