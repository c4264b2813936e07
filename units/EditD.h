// TEditD: an edit field whose text is a number in the unit chosen beside it.
#pragma once

#include <QLineEdit>
#include <QPointer>

class QLabel;

namespace tubalon {

class TEditD : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditD(QWidget* parent = nullptr);

    // Factor of the current unit: SI value = number of the text * Exchange.
    double Exchange() const { return exchange_; }
    // Changes the factor and converts a numeric text so that its SI value stays.
    void SetExchange(double x);
    // Sets the factor without touching the text (case file reader).
    void SetExchangeRaw(double x) { exchange_ = x; }

    // Raises EConvertError, naming the field by its caption, for an empty or non-numeric text.
    double GetSIValue() const;
    // Writes v / Exchange in the 15-digit form; raises ECalcError for a non-finite v.
    void SetSIValue(double v);

    bool MyResolved() const { return myResolved_; }
    void SetMyResolved(bool b);

    // The caption label, or nullptr when it is no longer in the window.
    QLabel* MyLabel() const;
    void SetMyLabel(QLabel* label);
    // The label's caption, or the field's own name when there is no label.
    QString Caption() const;

    // Display form: the number in 7 significant digits, or the text itself.
    QString FloatStr() const;

    // Wide enough for the display form of a small number ("0.0001234568").
    QSize sizeHint() const override;

signals:
    // Focus left the field (the calculation hangs here).
    void Exited();

protected:
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    double exchange_ = 1.0;
    bool myResolved_ = true;
    QPointer<QLabel> label_;
};

} // namespace tubalon
