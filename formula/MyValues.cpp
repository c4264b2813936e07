#include "formula/MyValues.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace tubalon {
namespace {

constexpr int kColumns = 4;

// Removes blanks and control characters from both ends.
QString TrimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= ' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= ' ')
        --e;
    return s.mid(b, e - b);
}

} // namespace

// ---- TCellList ----

int TCellList::count() const {
    return Row_ ? Table_->columnCount() : Table_->rowCount();
}

QString TCellList::at(int i) const {
    return Row_ ? Table_->Cell(Index_, i) : Table_->Cell(i, Index_);
}

void TCellList::set(int i, const QString& text) {
    if (i < 0 || i >= count()) return;
    if (Row_)
        Table_->SetCell(Index_, i, text);
    else
        Table_->SetCell(i, Index_, text);
}

QStringList TCellList::toList() const {
    QStringList l;
    for (int i = 0; i < count(); ++i)
        l << at(i);
    return l;
}

// ---- TMyValues ----

TMyValues::TMyValues(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(kColumns);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setDefaultSectionSize(64);
    setColumnWidth(ColNote, 120);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setShowGrid(true);
    // A selected cell keeps the plain look: background colour, black text.
    QPalette pal = palette();
    pal.setColor(QPalette::Highlight, pal.color(QPalette::Base));
    pal.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(pal);

    SetRowCount(5);
    SetTitles({QStringLiteral("名称"), QStringLiteral("数量"), QStringLiteral("单位"),
               QStringLiteral("备注")});
    setCurrentCell(rowCount() - 1, kColumns - 1);
}

void TMyValues::StyleItem(QTableWidgetItem* item, int row, int col) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const bool fixed = row == 0 || col == ColName;
    if (!fixed && col == ColValue) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    if (fixed) item->setBackground(palette().color(QPalette::Button));
}

void TMyValues::SetRowCount(int rows) {
    const int old = rowCount();
    setRowCount(rows);
    for (int r = old; r < rows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem();
            StyleItem(item, r, c);
            setItem(r, c, item);
        }
}

QString TMyValues::Cell(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void TMyValues::SetCell(int row, int col, const QString& text) {
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount()) return;
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem();
        StyleItem(it, row, col);
        setItem(row, col, it);
    }
    it->setText(text);
}

void TMyValues::ClearFrom(int row) {
    for (int r = std::max(row, 0); r < rowCount(); ++r)
        for (int c = 0; c < kColumns; ++c)
            SetCell(r, c, QString());
}

int TMyValues::FindRow(const QString& name, int from) const {
    for (int r = from; r < rowCount(); ++r)
        if (Cell(r, ColName).compare(name, Qt::CaseInsensitive) == 0) return r;
    return -1;
}

void TMyValues::AddValue(const QString& name, const QString& value, const QString& unit,
                         const QString& note) {
    if (Unique_ && FindRow(name, 1) >= 0) return;
    int target = -1;
    for (int r = 0; r < rowCount(); ++r)
        if (TrimBlanks(Cell(r, ColName)).isEmpty()) {
            target = r;
            break;
        }
    if (target < 0) {
        SetRowCount(rowCount() + 1);
        target = rowCount() - 1;
    }
    const QString* cells[kColumns] = {&name, &value, &unit, &note};
    for (int c = 0; c < kColumns; ++c)
        if (!cells[c]->isEmpty()) SetCell(target, c, *cells[c]);
}

QString TMyValues::GetValue(const QString& name) const {
    const int r = FindRow(name, 0);
    return r < 0 ? QString() : Cell(r, ColValue);
}

void TMyValues::SetValue(const QString& name, const QString& value) {
    const int r = FindRow(name, 0);
    if (r >= 0) SetCell(r, ColValue, value);
}

void TMyValues::SetColumn(int col, const QStringList& items) {
    const int n = std::min<int>(items.size(), rowCount());
    for (int r = 0; r < n; ++r)
        SetCell(r, col, items[r]);
}

void TMyValues::SetNames(const QStringList& items) {
    SetColumn(ColName, items);
}
void TMyValues::SetValues(const QStringList& items) {
    SetColumn(ColValue, items);
}
void TMyValues::SetUnits(const QStringList& items) {
    SetColumn(ColUnit, items);
}
void TMyValues::SetNotes(const QStringList& items) {
    SetColumn(ColNote, items);
}

void TMyValues::SetTitles(const QStringList& items) {
    const int n = std::min<int>(items.size(), columnCount());
    for (int c = 0; c < n; ++c)
        SetCell(0, c, items[c]);
}

void TMyValues::LoadStored(const QList<QStringList>& rows, const QList<int>& widths, bool unique) {
    setRowCount(0);
    SetRowCount(static_cast<int>(rows.size()));
    for (int c = 0; c < std::min<int>(widths.size(), kColumns); ++c)
        setColumnWidth(c, widths[c]);
    Unique_ = unique;
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < std::min<int>(rows[r].size(), kColumns); ++c)
            SetCell(r, c, rows[r][c]);
    Loaded();
    setCurrentCell(rowCount() - 1, kColumns - 1);
}

void TMyValues::LoadPropertyDialogForm() {
    LoadStored(
        {{QStringLiteral("名称"), QStringLiteral("数量"), QStringLiteral("单位"),
          QStringLiteral("备注")},
         {QStringLiteral("t"), QStringLiteral("20"), QStringLiteral("C"), QStringLiteral("温度")},
         {QStringLiteral("p"), QStringLiteral("100"), QStringLiteral("kPa"),
          QStringLiteral("压力")}},
        {64, 87, 56, 110}, true);
}

void TMyValues::Loaded() {
    for (int r = 1; r < rowCount(); ++r)
        for (int c = 0; c < kColumns; ++c)
            SetCell(r, c, TrimBlanks(Cell(r, c)));
}

void TMyValues::keyPressEvent(QKeyEvent* event) {
    // Unit and note cells are labels: typed characters are dropped.
    const int col = currentColumn();
    if ((col == ColUnit || col == ColNote) && !event->text().isEmpty() &&
        event->text().at(0).unicode() >= ' ') {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

bool TMyValues::FpHasName(const std::string& name) const {
    return FindRow(QString::fromStdString(name), 0) >= 0;
}

std::string TMyValues::FpGetValue(const std::string& name) const {
    return GetValue(QString::fromStdString(name)).toStdString();
}

void TMyValues::FpAddName(const std::string& name) {
    AddValue(QString::fromStdString(name), QString(), QString(), QString());
}

} // namespace tubalon
