// Any cell text, field name, Chinese name, t and p: the expansion ends in an outcome or in
// one of the program's own errors, never a crash, a hang or a non-finite value.
#include "props/PropCell.h"
#include "props/PropLib.h"
#include "units/Errors.h"

#include <cmath>
#include <cstdlib>

using namespace tubalon;

// Input: lines "field\nCN\nt\np\ncell..." (missing lines are empty).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString all =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QStringList parts = all.split('\n');
    while (parts.size() < 5)
        parts << QString();
    const QString field = parts[0], cn = parts[1], t = parts[2], p = parts[3];
    const QString cell = parts.mid(4).join('\n').left(300);
    TPropRecord r;
    r.f[0] = "1";
    r.f[1] = cn;
    const int index = PropFieldIndex(field);
    r.f[static_cast<size_t>(index >= 3 && index <= 8 ? index : 3)] = cell;
    TPlainValues values;
    values.SetValue("t", t);
    values.SetValue("p", p);
    try {
        const TCellOutcome o = EvaluatePropertyCell(&r, field, values);
        if (o.kind == TCellOutcome::Kind::Value && !std::isfinite(o.value)) std::abort();
        if (o.kind == TCellOutcome::Kind::Failed && o.message.isEmpty()) std::abort();
    } catch (const Error&) {
    }
    return 0;
}
