// Lists whose items carry a value after "|" ("kg/h     |2.7778E-4", "低碳钢   |52.34"):
// the box and its popup show the names only, the item texts keep the value.
#pragma once

#include <QComboBox>

namespace tubalon {

// The text of an item before its first "|", trailing blanks removed (the whole text
// when it has no "|").
QString ItemName(const QString& item);

// A pick-only list that shows item names only. It has no Q_OBJECT of its own on purpose:
// it keeps the class name "QComboBox", so case files and every lookup of a plain list
// see it as one.
class TNamedList : public QComboBox {
public:
    explicit TNamedList(QWidget* parent = nullptr);
    // As wide as the name shown (the popup shows every name in full), never as wide as the
    // values behind the bars.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QSize SizeFor(int textWidth) const;
};

} // namespace tubalon
