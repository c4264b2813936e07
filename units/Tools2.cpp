#include "units/Tools2.h"

#include "units/Colors.h"
#include "units/EditD.h"
#include "units/NumberFormat.h"

#include <QLineEdit>
#include <cmath>

namespace tubalon {

void EnableGroup(const QList<QWidget*>& controls, bool enable, int color) {
    for (QWidget* w : controls) {
        if (!w) continue;
        w->setEnabled(enable);
        if (enable) {
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                SetColorOf(e, color);
                e->setReadOnly(false);
            }
        }
    }
}

void MarkComputed(const QList<QWidget*>& fields, bool computed, int color) {
    for (QWidget* w : fields) {
        auto* e = qobject_cast<QLineEdit*>(w);
        if (!w) continue;
        if (computed && e) {
            SetColorOf(e, color);
            e->setReadOnly(true);
            SetFontColorOf(e, clBlue);
        } else {
            SetColorOf(w, clWindow);
            if (e) e->setReadOnly(false);
            SetFontColorOf(w, clBlack);
        }
    }
}

TEditD* SetComputed(TEditD* field, int color, double tolerance, double v) {
    if (!TrimText(field->text()).isEmpty()) {
        long double n = 0;
        if (TryParseNumber(TrimText(field->text()), n)) {
            const double c = static_cast<double>(n * static_cast<long double>(field->Exchange()));
            const double d = c != 0 ? std::fabs(v - c) / std::fabs(c) : std::fabs(v - c);
            if (d < tolerance) return nullptr;
        }
    }
    field->SetSIValue(v);
    SetColorOf(field, color);
    field->setReadOnly(true);
    field->setCursor(Qt::ForbiddenCursor);
    return field;
}

TEditD* ClearComputed(TEditD* field) {
    if (field->text().isEmpty() && ColorOf(field) == clWindow) return nullptr;
    field->setText(QString());
    SetColorOf(field, clWindow);
    field->setReadOnly(false);
    field->unsetCursor();
    return field;
}

bool AllFilled(std::initializer_list<const TEditD*> fields) {
    for (const TEditD* f : fields)
        if (f->text().isEmpty()) return false;
    return true;
}

double ItemValue(const QString& item) {
    const qsizetype bar = item.indexOf(QChar('|'));
    return StrToFloat(bar < 0 ? item : item.mid(bar + 1));
}

} // namespace tubalon
