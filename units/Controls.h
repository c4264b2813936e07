// Small controls of the main window beside the unit-aware fields: a radio group with an
// item index, a one-line rich-text note, and exit signals for plain controls.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QStringList>
#include <QTextEdit>

namespace tubalon {

// A group box of radio buttons; ItemIndex is the checked button (-1 none).
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns,
                QWidget* parent = nullptr);
    int ItemIndex() const;
    void SetItemIndex(int i); // by program: no Clicked
    QStringList Items() const { return items_; }
    QString CurrentText() const;
    // A click on item i as by the user: checks it and fires Clicked.
    void UserClick(int i);

signals:
    void Clicked();
    void Exited();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QStringList items_;
    QButtonGroup* buttons_;
};

// The one-line note editors; keys keep their ordinary meaning inside them.
class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);
    QString Text() const { return toPlainText(); }
    void SetText(const QString& t) { setPlainText(t); }

signals:
    void Exited();

protected:
    void focusOutEvent(QFocusEvent* e) override;
};

// Fires Exited when a plain control (edit, list, check box) loses the focus.
class ExitWatcher : public QObject {
    Q_OBJECT
public:
    explicit ExitWatcher(QWidget* watched);

signals:
    void Exited();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

// True when a focus-out of this reason means the user left the control.
bool IsLeavingReason(Qt::FocusReason r);

} // namespace tubalon
