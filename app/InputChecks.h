// The plausibility rules applied to the main window's case: before each calculation and
// after a case file was opened.
#pragma once

#include "app/Plausibility.h"

#include <QHash>
#include <QList>
#include <QString>

class QWidget;

namespace tubalon {

struct Case;
class TEditD;

struct InputIssue {
    TEditD* field = nullptr;
    plausibility::Verdict verdict = plausibility::Verdict::Ok;
    QString message; // "环境温度：-300 °C 等于或低于绝对零度（-273.15 °C）。"
};

// A field the user types into: enabled, editable, neither computed nor solved.
bool IsInputField(const TEditD* f);
// The issues of the case's filled numeric input fields, in the case's field order.
QList<InputIssue> CheckInputs(const Case& c);

// Tells each implausible value once per edit and holds the calculation while one is refused.
class TInputGuard {
public:
    // Before a calculation. Shows the values not told yet in one message box; returns the
    // first refused field (the calculation must not run then), or nullptr.
    TEditD* BeforeCalculation(QWidget* parent, const Case& c);
    // After a case was opened or created: tells every issue in one message box headed by
    // intro, and forgets what was told before.
    void Review(QWidget* parent, const Case& c, const QString& intro);

private:
    QHash<const TEditD*, QString> told_; // field -> the text last told about
};

} // namespace tubalon
