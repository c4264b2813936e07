// TFormPickList: pick one of listed values, or type another.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace tubalon {

class TFormPickList : public QDialog {
    Q_OBJECT
public:
    explicit TFormPickList(QWidget* parent = nullptr);
    // Fills the dialog: selection and input box as for PickFromList.
    void Setup(const QStringList& values, const QStringList& notes, const QString& current,
               const QString& caption, const QString& prompt);
    QString InputText() const;

    QLabel* LPrompt;
    QListWidget* PickListBox;
    QPlainTextEdit* PickListNote;
    QLineEdit* LEPickStr;
};

// Shows a fresh pick dialog modally; OK gives the input box's text, Cancel the current text.
QString PickFromList(const QStringList& values, const QStringList& notes, const QString& current,
                     const QString& caption, const QString& prompt);

// Replaces the modal run (tests, headless tool): receives the filled dialog, returns
// whether it was confirmed.
void SetPickListRunner(std::function<bool(TFormPickList&)> runner);

} // namespace tubalon
