// TComboBoxU: the pick-only unit selector beside a TEditD.
#pragma once

#include <QComboBox>
#include <QPointer>

namespace tubalon {

class TEditD;

class TComboBoxU : public QComboBox {
    Q_OBJECT
public:
    explicit TComboBoxU(QWidget* parent = nullptr);

    TEditD* Associated() const { return associated_; }
    void SetAssociated(TEditD* field) { associated_ = field; }

    // Factor of an item: the number after its first "|" (the whole text without one).
    // Raises EConvertError when that is not a number.
    static double FactorOf(const QString& item);
    double CurrentFactor() const { return FactorOf(currentText()); }

    // The user's pick of item i: fires Changed, then converts the associated field.
    // Conversion errors propagate to the caller.
    void UserPick(int index);
    // Window loaded: item 0, and its factor to the field.
    void Loaded();
    // The narrow width beside a field: the unit shows, its "|factor" tail does not.
    void FitBesideField();

signals:
    // The user picked an item (not emitted for a pick by program).
    void Changed();

private:
    QPointer<TEditD> associated_;
};

} // namespace tubalon
