// The named-values table: a grid of name, value, unit and note under a title row. Its cells
// are the store; the evaluator takes the value text of each single-letter variable from it.
//
// Row 0 holds the titles and column 0 the names; both look like headers and are not
// editable. Only the value column takes typed text.
#pragma once

#include "formula/FormulaParser.h"

#include <QList>
#include <QStringList>
#include <QTableWidget>

namespace tubalon {

class TMyValues;

// A live view of one column (or of the title row) of the table: reads and writes go to
// the cells; count() is the table's row count (column count for the titles).
class TCellList {
public:
    TCellList(TMyValues* table, int index, bool isRow)
        : Table_(table), Index_(index), Row_(isRow) {}
    int count() const;
    QString at(int i) const;
    QString operator[](int i) const { return at(i); }
    void set(int i, const QString& text);
    QStringList toList() const;

private:
    TMyValues* Table_;
    int Index_;
    bool Row_;
};

class TMyValues : public QTableWidget, public TFpValueTable {
    Q_OBJECT
    Q_PROPERTY(bool Unique READ Unique WRITE SetUnique)

public:
    enum Column { ColName = 0, ColValue = 1, ColUnit = 2, ColNote = 3 };

    // Four columns, the title row and four empty rows, Unique on.
    explicit TMyValues(QWidget* parent = nullptr);

    // Empties every cell from this row to the last; rows stay.
    virtual void ClearFrom(int row);
    // Puts the name into the first row with a blank name (or a new row); empty arguments
    // leave their cells as they were. With Unique on, a name already below the title is
    // refused.
    virtual void AddValue(const QString& name, const QString& value, const QString& unit,
                          const QString& note);
    // The value cell of the first row (title row included) with this name, any case.
    virtual QString GetValue(const QString& name) const;
    virtual void SetValue(const QString& name, const QString& value);

    bool Unique() const { return Unique_; }
    void SetUnique(bool on) { Unique_ = on; }

    TCellList Names() { return TCellList(this, ColName, false); }
    TCellList Values() { return TCellList(this, ColValue, false); }
    TCellList Units() { return TCellList(this, ColUnit, false); }
    TCellList Notes() { return TCellList(this, ColNote, false); }
    TCellList Titles() { return TCellList(this, 0, true); }
    // Copy the items into the cells from the top, as far as the table has rows.
    virtual void SetNames(const QStringList& items);
    virtual void SetValues(const QStringList& items);
    virtual void SetUnits(const QStringList& items);
    virtual void SetNotes(const QStringList& items);
    virtual void SetTitles(const QStringList& items);

    // Row count that keeps every cell an item with the right flags.
    void SetRowCount(int rows);
    QString Cell(int row, int col) const;
    void SetCell(int row, int col, const QString& text);

    // Fills the table from its stored form (rows of up to four cells, column widths,
    // Unique), then trims the cells below the title row as loading does.
    void LoadStored(const QList<QStringList>& rows, const QList<int>& widths, bool unique);
    // The stored form of the property dialog's table: rows t = 20 C and p = 100 kPa.
    void LoadPropertyDialogForm();
    // After loading: cells of rows 1 and below lose their surrounding blanks.
    void Loaded();

    // The evaluator's view (UTF-8).
    bool FpHasName(const std::string& name) const override;
    std::string FpGetValue(const std::string& name) const override;
    void FpAddName(const std::string& name) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int FindRow(const QString& name, int from) const;
    void SetColumn(int col, const QStringList& items);
    void StyleItem(QTableWidgetItem* item, int row, int col) const;

    bool Unique_ = true;
};

} // namespace tubalon
