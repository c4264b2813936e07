#include "units/ComboBoxU.h"

#include "units/EditD.h"
#include "units/Messages.h"
#include "units/NumberFormat.h"

namespace tubalon {

TComboBoxU::TComboBoxU(QWidget* parent) : TNamedList(parent) {
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QComboBox::activated, this,
            [this](int i) { GuardHandler(this, [&] { UserPick(i); }); });
}

double TComboBoxU::FactorOf(const QString& item) {
    const qsizetype bar = item.indexOf(QChar('|'));
    const QString rest = bar < 0 ? item : item.mid(bar + 1, 50);
    return StrToFloat(rest);
}

void TComboBoxU::UserPick(int index) {
    if (index != currentIndex()) setCurrentIndex(index);
    emit Changed();
    if (associated_) associated_->SetExchange(FactorOf(currentText()));
}

void TComboBoxU::Loaded() {
    setCurrentIndex(0);
    if (associated_ && count() > 0) associated_->SetExchange(FactorOf(itemText(0)));
}

void TComboBoxU::FitBesideField() {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

} // namespace tubalon
