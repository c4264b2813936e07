#include "units/Controls.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QRadioButton>

namespace tubalon {

bool IsLeavingReason(Qt::FocusReason r) {
    return r != Qt::PopupFocusReason && r != Qt::ActiveWindowFocusReason;
}

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent), items_(items), buttons_(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        b->setObjectName(QString());
        buttons_->addButton(b, i);
        grid->addWidget(b, i / columns, i % columns);
        b->installEventFilter(this);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, [this](int) { emit Clicked(); });
}

int TRadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int i) {
    if (QAbstractButton* b = buttons_->button(i)) {
        b->setChecked(true);
    } else if (QAbstractButton* c = buttons_->checkedButton()) {
        buttons_->setExclusive(false);
        c->setChecked(false);
        buttons_->setExclusive(true);
    }
}

QString TRadioGroup::CurrentText() const {
    const int i = ItemIndex();
    return i >= 0 && i < items_.size() ? items_[i] : QString();
}

void TRadioGroup::UserClick(int i) {
    if (QAbstractButton* b = buttons_->button(i)) b->click();
}

bool TRadioGroup::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::FocusOut) {
        auto* fe = static_cast<QFocusEvent*>(e);
        // Moving between the group's own buttons is not leaving the group.
        QWidget* next = QApplication::focusWidget();
        if (IsLeavingReason(fe->reason()) && !(next && isAncestorOf(next))) emit Exited();
    }
    return QGroupBox::eventFilter(o, e);
}

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setLineWrapMode(QTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

void TRichEdit::focusOutEvent(QFocusEvent* e) {
    QTextEdit::focusOutEvent(e);
    if (IsLeavingReason(e->reason())) emit Exited();
}

ExitWatcher::ExitWatcher(QWidget* watched) : QObject(watched) {
    watched->installEventFilter(this);
}

bool ExitWatcher::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::FocusOut && IsLeavingReason(static_cast<QFocusEvent*>(e)->reason()))
        emit Exited();
    return QObject::eventFilter(o, e);
}

} // namespace tubalon
