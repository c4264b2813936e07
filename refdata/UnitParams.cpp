#include "refdata/UnitParams.h"

#include "units/Messages.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tubalon {

TFormParams::TFormParams(const QString& appDir, QWidget* parent)
    : QDialog(parent), appDir_(appDir) {
    setObjectName(QStringLiteral("FormParams"));
    setWindowTitle(QStringLiteral("参数设置"));

    auto* label = new QLabel(QStringLiteral("系统参数"), this);
    problems_ = new QLabel(this);
    problems_->setObjectName(QStringLiteral("LProblems"));
    problems_->setWordWrap(true);
    problems_->setStyleSheet(QStringLiteral("color: #b00000;"));
    problems_->hide();
    fittings_ = new QTableWidget(static_cast<int>(store_.rows().size()), 2, this);
    fittings_->setObjectName(QStringLiteral("Fittings"));
    fittings_->setHorizontalHeaderLabels({QStringLiteral("名称"), QStringLiteral("数值")});
    fittings_->verticalHeader()->setVisible(false);
    fittings_->setColumnWidth(0, 170);
    fittings_->horizontalHeader()->setStretchLastSection(true);
    fittings_->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* save = new QPushButton(QStringLiteral("保存"), this);
    save->setObjectName(QStringLiteral("BSave"));
    auto* defaults = new QPushButton(QStringLiteral("恢复缺省"), this);
    defaults->setObjectName(QStringLiteral("BDefault"));
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("BClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(problems_);
    layout->addWidget(fittings_);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &TFormParams::BSaveClick);
    connect(defaults, &QPushButton::clicked, this, &TFormParams::BDefaultClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(fittings_, &QTableWidget::cellChanged, this, &TFormParams::FittingsChanged);

    FormCreate();
    resize(360, 500);     // every row in view
    setFixedSize(size()); // the dialog cannot be resized
}

void TFormParams::FormCreate() {
    store_.Load(FilePath());
    FillGrid();
    if (!Problems().isEmpty()) {
        problems_->setText(Problems().join(QLatin1Char('\n')));
        problems_->show();
    }
}

void TFormParams::FillGrid() {
    filling_ = true;
    for (int i = 0; i < static_cast<int>(store_.rows().size()); ++i) {
        const ParamRow& r = store_.rows()[static_cast<std::size_t>(i)];
        auto* key = new QTableWidgetItem(r.key);
        key->setFlags(key->flags() & ~Qt::ItemIsEditable);
        auto* value = new QTableWidgetItem(r.value);
        if (r.key == paramkey::kFilmMethod) {
            const QString tip = QStringLiteral(
                "0：按流态选择关联式（层流、过渡流、湍流；管内冷凝用 Boyko-Kruzhilin 式；"
                "直管环隙层流阻力按同心环隙）\n"
                "1：原方法（各流态同一膜系数式，管内冷凝用水蒸气经验式，环隙层流阻力 64/Re）");
            key->setToolTip(tip);
            value->setToolTip(tip);
        }
        fittings_->setItem(i, 0, key);
        fittings_->setItem(i, 1, value);
    }
    filling_ = false;
}

void TFormParams::FittingsChanged(int row, int column) {
    if (filling_ || column != 1) return;
    const auto r = static_cast<std::size_t>(row);
    QTableWidgetItem* item = fittings_->item(row, column);
    const QString key = store_.rows()[r].key;
    const QString why = TParamStore::CheckValue(key, item->text());
    if (why.isEmpty()) {
        store_.SetValue(r, item->text());
        return;
    }
    // Refused on entry: the store keeps its value and the cell is edited again.
    const QString typed = item->text();
    filling_ = true;
    item->setText(store_.rows()[r].value);
    filling_ = false;
    ShowMessage(this, MsgKind::Warning, windowTitle(),
                QStringLiteral("“%1”：“%2”%3，没有采用。").arg(key, typed, why));
    QTimer::singleShot(0, fittings_, [this, row] {
        if (QTableWidgetItem* it = fittings_->item(row, 1)) fittings_->editItem(it);
    });
}

void TFormParams::BSaveClick() {
    if (GuardHandler(this, [this] { store_.Save(FilePath()); })) problems_->hide();
}

void TFormParams::BDefaultClick() {
    if (QFile::exists(FilePath())) QFile::remove(FilePath());
    ShowMessage(this, MsgKind::Information, QString(),
                QStringLiteral("已经恢复缺省值，但是必须重新启动系统才能生效!"));
}

} // namespace tubalon
