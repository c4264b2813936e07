// The page "管道系列": the pipe table as a read-only grid with a navigator, sorting by a click
// on a column title, "选择" (hand the current row's diameters to the case) and "维护".
#pragma once

#include <QWidget>

class QSqlTableModel;
class QTableView;

namespace tubalon {

class TPipeTable;

class TPipePage : public QWidget {
    Q_OBJECT
public:
    // The table must be open; the page shows nothing when it is not.
    explicit TPipePage(TPipeTable& table, QWidget* parent = nullptr);

    QTableView* grid() const { return grid_; }
    QSqlTableModel* model() const { return model_; }
    int currentRow() const;

public slots:
    // Back to key order with the first row current, as after an automatic choice.
    void ResetOrder();
    void DBGPiplesTitleClick(int column);
    void Button2Click(); // "选择"
    void Button1Click(); // "维护"

signals:
    // "选择" on a current row: its diameters in metres. The main window applies them to the
    // pick target (dooD/doiD or dioD/diiD), if any.
    void pipeChosen(double outer, double inner);
    // Every "选择" ends with this: clear the pick target and show "计算界面".
    void selectFinished();
    // "维护" changed the database; the in-memory table has been reread.
    void tableChanged();

private:
    void Move(int row);

    TPipeTable& table_;
    QSqlTableModel* model_ = nullptr;
    int sortColumn_ = 0; // the column the grid is sorted by
    QTableView* grid_ = nullptr;
};

} // namespace tubalon
