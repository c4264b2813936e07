#include "refdata/PipePage.h"

#include "refdata/PipeTable.h"
#include "units/Messages.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tubalon {

TPipePage::TPipePage(TPipeTable& table, QWidget* parent) : QWidget(parent), table_(table) {
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("DBGPiples"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setVisible(false);

    if (table_.isOpen()) {
        model_ = new QSqlTableModel(this, table_.database());
        model_->setTable(TPipeTable::kTable);
        model_->setEditStrategy(QSqlTableModel::OnManualSubmit);
        const char* titles[] = {"序号", "管子规格", "外径", "内径"};
        for (int c = 0; c < 4; ++c)
            model_->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(titles[c]));
        model_->setSort(0, Qt::AscendingOrder);
        model_->select();
        grid_->setModel(model_);
        grid_->setColumnWidth(0, 46);
        grid_->setColumnWidth(1, 79);
        grid_->horizontalHeader()->setSectionsClickable(true);
        connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
                &TPipePage::DBGPiplesTitleClick);
        Move(0);
    }

    auto* navigator = new QHBoxLayout;
    const struct {
        const char* text;
        const char* tip;
        int which;
    } nav[] = {{"|◀", "第一条", 0}, {"◀", "上一条", 1}, {"▶", "下一条", 2}, {"▶|", "最后一条", 3}};
    auto* navBox = new QWidget(this);
    navBox->setObjectName(QStringLiteral("DBNPiples"));
    navBox->setLayout(navigator);
    navigator->setContentsMargins(0, 0, 0, 0);
    for (const auto& n : nav) {
        auto* b = new QToolButton(navBox);
        b->setText(QString::fromUtf8(n.text));
        b->setToolTip(QString::fromUtf8(n.tip));
        const int which = n.which;
        connect(b, &QToolButton::clicked, this, [this, which] {
            const int rows = model_ ? model_->rowCount() : 0;
            const int cur = currentRow();
            switch (which) {
            case 0:
                Move(0);
                break;
            case 1:
                Move(cur - 1);
                break;
            case 2:
                Move(cur + 1);
                break;
            default:
                Move(rows - 1);
                break;
            }
        });
        navigator->addWidget(b);
    }

    auto* select = new QPushButton(QStringLiteral("选择"), this);
    select->setObjectName(QStringLiteral("Button2"));
    auto* maintain = new QPushButton(QStringLiteral("维护"), this);
    maintain->setObjectName(QStringLiteral("Button1"));
    connect(select, &QPushButton::clicked, this, &TPipePage::Button2Click);
    connect(maintain, &QPushButton::clicked, this, &TPipePage::Button1Click);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(navBox);
    bottom->addStretch();
    bottom->addWidget(select);
    bottom->addWidget(maintain);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(bottom);
}

int TPipePage::currentRow() const {
    return grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
}

void TPipePage::Move(int row) {
    if (!model_) return;
    while (model_->canFetchMore())
        model_->fetchMore();
    const int rows = model_->rowCount();
    if (rows == 0) return;
    row = std::clamp(row, 0, rows - 1);
    grid_->setCurrentIndex(model_->index(row, 0));
    grid_->selectRow(row);
}

void TPipePage::ResetOrder() {
    if (!model_) return;
    // Runs at every automatic choice, so the query is repeated only when the order changed.
    if (sortColumn_ != 0) {
        sortColumn_ = 0;
        model_->setSort(0, Qt::AscendingOrder);
        model_->select();
    }
    Move(0);
}

void TPipePage::DBGPiplesTitleClick(int column) {
    if (!model_) return;
    sortColumn_ = column;
    model_->setSort(column, Qt::AscendingOrder);
    model_->select();
    Move(0);
}

void TPipePage::Button2Click() {
    GuardHandler(this, [this] {
        const int row = currentRow();
        if (model_ && row >= 0) {
            const PipeDimensions d =
                ParsePipeSize(model_->record(row).value(QStringLiteral("DN")).toString());
            emit pipeChosen(d.outer / 1000.0, d.Inner() / 1000.0);
        }
        emit selectFinished();
    });
}

void TPipePage::Button1Click() {
    if (!model_) return;
    while (model_->canFetchMore())
        model_->fetchMore();
    std::vector<int> ids;
    for (int r = 0; r < model_->rowCount(); ++r)
        ids.push_back(model_->record(r).value(QStringLiteral("ID")).toInt());
    GuardHandler(this, [this, &ids] { table_.Maintain(ids); });
    const int row = currentRow();
    model_->select();
    Move(row);
    emit tableChanged();
}

} // namespace tubalon
