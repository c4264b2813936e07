#include "refdata/UnitPickList.h"

#include "units/Messages.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tubalon {
namespace {
std::function<bool(TFormPickList&)> runner;
}

void SetPickListRunner(std::function<bool(TFormPickList&)> r) {
    runner = std::move(r);
}

TFormPickList::TFormPickList(QWidget* parent) : QDialog(parent) {
    setObjectName("FormPickList");
    setWindowTitle(QStringLiteral("请选择"));
    auto* g = new QGridLayout(this);
    LPrompt = new QLabel(QStringLiteral("请从下列列表中选择"), this);
    LPrompt->setObjectName("LPrompt");
    PickListBox = new QListWidget(this);
    PickListBox->setObjectName("PickListBox");
    PickListNote = new QPlainTextEdit(this);
    PickListNote->setObjectName("PickListNote");
    PickListNote->setReadOnly(true);
    auto* inputL = new QLabel(QStringLiteral("输入："), this);
    LEPickStr = new QLineEdit(this);
    LEPickStr->setObjectName("LEPickStr");
    auto* ok = new QPushButton(QStringLiteral("&O 确定"), this);
    ok->setObjectName("BPickOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&C 取消"), this);
    cancel->setObjectName("BPickCancel");
    g->addWidget(LPrompt, 0, 0, 1, 2);
    g->addWidget(PickListBox, 1, 0);
    g->addWidget(PickListNote, 1, 1);
    g->addWidget(inputL, 2, 0);
    g->addWidget(LEPickStr, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    g->addLayout(buttons, 4, 0, 1, 2);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(PickListBox, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* it) { LEPickStr->setText(it->text()); });
    setFixedSize(360, 260);
}

void TFormPickList::Setup(const QStringList& values, const QStringList& notes,
                          const QString& current, const QString& caption, const QString& prompt) {
    setWindowTitle(caption);
    LPrompt->setText(prompt);
    PickListBox->clear();
    PickListBox->addItems(values);
    PickListNote->setPlainText(notes.join('\n'));
    int sel = 0;
    for (int i = 0; i < values.size(); ++i)
        if (values[i].compare(current, Qt::CaseInsensitive) == 0) {
            sel = i;
            break;
        }
    if (!values.isEmpty()) PickListBox->setCurrentRow(sel);
    LEPickStr->setText(current.isEmpty() ? values.value(0) : current);
}

QString TFormPickList::InputText() const {
    return LEPickStr->text();
}

QString PickFromList(const QStringList& values, const QStringList& notes, const QString& current,
                     const QString& caption, const QString& prompt) {
    TFormPickList dlg;
    dlg.Setup(values, notes, current, caption, prompt);
    bool ok = false;
    if (runner)
        ok = runner(dlg);
    else if (HeadlessMessages())
        ok = false; // no one to answer: as cancelled
    else
        ok = dlg.exec() == QDialog::Accepted;
    return ok ? dlg.InputText() : current;
}

} // namespace tubalon
