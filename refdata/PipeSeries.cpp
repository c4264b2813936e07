#include "refdata/PipeSeries.h"

#include "units/Errors.h"
#include "units/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace tubalon {

PipeDimensions ParsePipeSize(const QString& dn) {
    const qsizetype at = dn.indexOf(QChar(0x00D7)); // ×
    if (at < 0) throw EConvertError(TrimText(dn));
    PipeDimensions d;
    d.outer = StrToFloat(dn.left(at));
    d.wall = StrToFloat(dn.mid(at + 1, 10));
    return d;
}

PipeSeries::PipeSeries(std::vector<PipeRow> rows) : byInner_(std::move(rows)) {
    std::stable_sort(byInner_.begin(), byInner_.end(), [](const PipeRow& a, const PipeRow& b) {
        return a.inner != b.inner ? a.inner < b.inner : a.outer < b.outer;
    });
}

PipeSize PipeSeries::LookupByInnerDiameter(double required) const {
    if (byInner_.empty()) throw ECalcError(QStringLiteral("无法选择管径：管道系列表为空"));
    if (!std::isfinite(required))
        throw ECalcError(QStringLiteral("无法选择管径：所需管径不是有效数值"));
    auto it = std::partition_point(byInner_.begin(), byInner_.end(),
                                   [&](const PipeRow& r) { return r.inner / 1000.0 < required; });
    if (it == byInner_.end()) --it;
    return {it->inner / 1000.0, it->outer / 1000.0};
}

} // namespace tubalon
