#include "calc/FlowText.h"

#include "units/EditD.h"
#include "units/NumberFormat.h"

#include <cmath>

namespace tubalon {

namespace {

// SetComputed leaves a field alone below a relative change of 1e-4; a little more covers the
// 15 digits of the text.
constexpr double kShownTolerance = 1.5e-4;

QString Utf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

const kernel::FlowInfo* ShownFlow(const kernel::FlowInfo& info, const TEditD* film) {
    if (!info.valid || !film) return nullptr;
    long double shown = 0;
    if (!TryParseNumber(TrimText(film->text()), shown)) return nullptr;
    const double v = static_cast<double>(shown * static_cast<long double>(film->Exchange()));
    if (!(std::fabs(v - info.h) <= kShownTolerance * std::fabs(info.h))) return nullptr;
    return &info;
}

const kernel::FlowInfo* ShownAnnulusFlow(const Case& c, const CalcState& s) {
    return ShownFlow(s.annulusFlow, c.krD);
}

const kernel::FlowInfo* ShownInnerFlow(const Case& c, const CalcState& s) {
    return ShownFlow(s.innerFlow, c.ktD);
}

QString ReynoldsText(const kernel::FlowInfo& f) {
    return std::isfinite(f.re) ? QString::asprintf("%.1f", f.re) : QStringLiteral("-");
}

QString PrandtlText(const kernel::FlowInfo& f) {
    return std::isfinite(f.pr) ? QString::asprintf("%.3f", f.pr) : QStringLiteral("-");
}

QString RegimeText(const kernel::FlowInfo& f) {
    return QString::fromUtf8(kernel::RegimeName(f.regime));
}

QString CorrelationText(const kernel::FlowInfo& f) {
    return Utf8(f.correlation);
}

QString FlowToolTip(const kernel::FlowInfo* f) {
    if (!f) return {};
    QStringList lines = {QStringLiteral("雷诺数 Re = %1").arg(ReynoldsText(*f)),
                         QStringLiteral("普朗特数 Pr = %1").arg(PrandtlText(*f)),
                         QStringLiteral("流态：%1").arg(RegimeText(*f)),
                         QStringLiteral("关联式：%1").arg(CorrelationText(*f))};
    for (const std::string& w : f->warnings)
        lines << QStringLiteral("警告：%1").arg(Utf8(w));
    return lines.join(QChar('\n'));
}

QStringList FlowWarnings(const Case& c, const CalcState& s) {
    QStringList out;
    const struct {
        const kernel::FlowInfo* flow;
        QString side;
    } sides[] = {{ShownAnnulusFlow(c, s), QStringLiteral("外管")},
                 {ShownInnerFlow(c, s), QStringLiteral("内管")}};
    for (const auto& side : sides) {
        if (!side.flow) continue;
        for (const std::string& w : side.flow->warnings)
            out << side.side + QStringLiteral("：") + Utf8(w);
    }
    return out;
}

} // namespace tubalon
