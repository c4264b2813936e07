#include "units/EditD.h"

#include "units/Colors.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"

#include <QFocusEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace tubalon {

TEditD::TEditD(QWidget* parent) : QLineEdit(parent) {
    SetMyResolved(true);
    exchange_ = 1.0;
}

void TEditD::SetExchange(double x) {
    const QString t = TrimText(text());
    if (!t.isEmpty()) {
        long double n = 0;
        if (TryParseNumber(t, n) && x != 0) {
            const double v = static_cast<double>(n * static_cast<long double>(exchange_) /
                                                 static_cast<long double>(x));
            if (std::isfinite(v)) setText(FormatFloat15(v));
        }
    }
    exchange_ = x;
}

double TEditD::GetSIValue() const {
    const QString t = TrimText(text());
    long double n = 0;
    if (!TryParseNumber(t, n)) throw EConvertError(t, Caption(), objectName());
    const double v = static_cast<double>(n * static_cast<long double>(exchange_));
    if (!std::isfinite(v)) throw EConvertError(t, Caption(), objectName());
    return v;
}

void TEditD::SetSIValue(double v) {
    const double shown = v / exchange_;
    if (!std::isfinite(shown))
        throw ECalcError(
            QStringLiteral("“%1”无法计算：结果不是有限数值，请检查输入数据！").arg(Caption()));
    setText(FormatFloat15(shown));
}

void TEditD::SetMyResolved(bool b) {
    myResolved_ = b;
    setFrame(b);
    SetFontColorOf(this, clBlue);
}

QLabel* TEditD::MyLabel() const {
    if (!label_) return nullptr;
    QWidget* top = window();
    if (!top || label_->objectName().isEmpty()) return nullptr;
    return top->findChild<QLabel*>(label_->objectName()) == label_ ? label_.data() : nullptr;
}

void TEditD::SetMyLabel(QLabel* label) {
    label_ = label;
}

QString TEditD::Caption() const {
    if (QLabel* l = MyLabel()) return l->text();
    return objectName();
}

QString TEditD::FloatStr() const {
    const QString t = text();
    // Strict reader: leading blanks allowed, nothing after the number.
    qsizetype b = 0;
    while (b < t.size() && t[b] == QChar(' '))
        ++b;
    long double n = 0;
    if (!TryParseNumber(t.mid(b), n)) return t;
    const double d = static_cast<double>(n);
    if (!std::isfinite(d)) return t;
    return FormatFloat7(d);
}

QSize TEditD::sizeHint() const {
    QSize s = QLineEdit::sizeHint();
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    const int text = fontMetrics().horizontalAdvance(QStringLiteral("0.0001234568"));
    s.setWidth(style()
                   ->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(text + 8, s.height()), this)
                   .width());
    return s;
}

void TEditD::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // Popups and window switches are not leaving the field.
    if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason)
        emit Exited();
    update();
}

void TEditD::paintEvent(QPaintEvent* e) {
    QLineEdit::paintEvent(e);
    if (hasFocus()) return;
    const QString shown = FloatStr();
    if (shown == text()) return;
    QPainter p(this);
    QStyleOptionFrame opt;
    initStyleOption(&opt);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &opt, this);
    p.fillRect(r, palette().color(QPalette::Base));
    p.setPen(isEnabled() ? palette().color(QPalette::Text) : ToQColor(clGray));
    r.adjust(2, 0, 0, 0);
    p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, shown);
}

} // namespace tubalon
