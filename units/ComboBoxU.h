// TComboBoxU: the pick-only unit selector beside a TEditD.
#pragma once

#include "units/NamedList.h"

#include <QPointer>

namespace tubalon {

class TEditD;

// Its items are "unit   |factor"; it shows the unit names only.
class TComboBoxU : public TNamedList {
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
    // Beside a field: as wide as the unit column of its group, never narrower than the name
    // shown.
    void FitBesideField();

signals:
    // The user picked an item (not emitted for a pick by program).
    void Changed();

private:
    QPointer<TEditD> associated_;
};

} // namespace tubalon
