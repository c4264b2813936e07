#include "app/InputChecks.h"

#include "calc/Case.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/EditD.h"
#include "units/Messages.h"
#include "units/NumberFormat.h"

#include <cmath>

namespace tubalon {
namespace {

using plausibility::Verdict;

// The field's SI value, NaN when its text is empty or not a number.
double SIOf(const TEditD* f) {
    long double n = 0;
    if (!f || !TryParseNumber(TrimText(f->text()), n)) return std::nan("");
    return static_cast<double>(n * static_cast<long double>(f->Exchange()));
}

QString UnitOf(const TEditD* f) {
    const QString name = f->objectName();
    const auto* u = f->window()->findChild<const TComboBoxU*>(name.left(name.size() - 1) + 'U');
    if (!u) return QString();
    const QString t = u->currentText();
    return TrimText(t.left(t.indexOf('|')));
}

// Radius of the flow passage that a roughness field lines: half the annulus gap (its
// hydraulic diameter is Di - do) or half the inner pipe's bore.
double RadiusFor(const Case& c, const TEditD* f) {
    if (f == c.ErD) return (SIOf(c.doiD) - SIOf(c.dioD)) / 2;
    if (f == c.EtD) return SIOf(c.diiD) / 2;
    return std::nan("");
}

QString Joined(const QList<InputIssue>& issues) {
    QStringList lines;
    for (const InputIssue& i : issues)
        lines << i.message;
    return lines.join(QChar('\n'));
}

} // namespace

bool IsInputField(const TEditD* f) {
    if (!f || !f->isEnabled() || f->isReadOnly()) return false;
    const int color = ColorOf(f);
    return color != clComputed && color != clSolved;
}

QList<InputIssue> CheckInputs(const Case& c) {
    QList<InputIssue> out;
    const TEditD* fields[] = {
#define TUBALON_FIELD_ENTRY(name) c.name,
        TUBALON_CASE_FIELDS(TUBALON_FIELD_ENTRY)
#undef TUBALON_FIELD_ENTRY
    };
    for (const TEditD* f : fields) {
        if (!IsInputField(f)) continue;
        const plausibility::Rule rule = plausibility::RuleOf(f->objectName());
        const double v = SIOf(f);
        if (rule == plausibility::Rule::None || std::isnan(v)) continue;
        const plausibility::Finding r = plausibility::Check(rule, v, RadiusFor(c, f));
        if (r.verdict == Verdict::Ok) continue;
        const QString unit = UnitOf(f);
        const QString shown = TrimText(f->text()) + (unit.isEmpty() ? QString() : ' ' + unit);
        out.push_back({const_cast<TEditD*>(f), r.verdict,
                       QStringLiteral("%1：%2 %3%4")
                           .arg(f->Caption(), shown, r.reason,
                                r.verdict == Verdict::Refuse ? QStringLiteral("，请改正。")
                                                             : QStringLiteral("，请确认。"))});
    }
    return out;
}

TEditD* TInputGuard::BeforeCalculation(QWidget* parent, const Case& c) {
    const QList<InputIssue> issues = CheckInputs(c);
    QList<InputIssue> fresh;
    QHash<const TEditD*, QString> told;
    TEditD* refused = nullptr;
    for (const InputIssue& i : issues) {
        if (i.verdict == Verdict::Refuse && !refused) refused = i.field;
        const QString text = i.field->text() + QChar('|') + UnitOf(i.field);
        if (told_.value(i.field) != text) fresh << i;
        told.insert(i.field, text);
    }
    // A field set right again and then back to the same value is told again.
    told_ = told;
    if (!fresh.isEmpty())
        ShowMessage(parent, MsgKind::Warning, QStringLiteral("Tubalon"),
                    Joined(fresh) +
                        (refused ? QStringLiteral("\n改正之前不进行计算。") : QString()));
    return refused;
}

void TInputGuard::Review(QWidget* parent, const Case& c, const QString& intro) {
    told_.clear();
    const QList<InputIssue> issues = CheckInputs(c);
    for (const InputIssue& i : issues)
        told_.insert(i.field, i.field->text() + QChar('|') + UnitOf(i.field));
    if (!issues.isEmpty())
        ShowMessage(parent, MsgKind::Warning, QStringLiteral("Tubalon"),
                    intro + QChar('\n') + Joined(issues));
}

} // namespace tubalon
