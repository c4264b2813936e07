#include "units/NamedList.h"

#include <QStylePainter>
#include <QStyledItemDelegate>

namespace tubalon {

namespace {
// Popup rows: the name only.
class NameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        return ItemName(QStyledItemDelegate::displayText(value, locale));
    }
};
} // namespace

QString ItemName(const QString& item) {
    const qsizetype bar = item.indexOf(QChar('|'));
    QString name = bar < 0 ? item : item.left(bar);
    while (!name.isEmpty() && name.back().isSpace())
        name.chop(1);
    return name;
}

TNamedList::TNamedList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setItemDelegate(new NameDelegate(this));
    // Another name shown may need another minimum width.
    connect(this, &QComboBox::currentIndexChanged, this, [this] { updateGeometry(); });
}

QSize TNamedList::SizeFor(int textWidth) const {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &opt,
                                     QSize(textWidth, fontMetrics().height()), this);
}

QSize TNamedList::sizeHint() const {
    const int shown = std::max(fontMetrics().horizontalAdvance(QStringLiteral("mm")),
                               fontMetrics().horizontalAdvance(ItemName(currentText())));
    return SizeFor(shown);
}

QSize TNamedList::minimumSizeHint() const {
    return sizeHint();
}

void TNamedList::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    p.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText = ItemName(opt.currentText);
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    p.drawControl(QStyle::CE_ComboBoxLabel, opt);
}

} // namespace tubalon
