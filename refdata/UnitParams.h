// The parameters dialog "参数设置": the grid Fittings shows the store the calculation reads.
#pragma once

#include "refdata/Params.h"

#include <QDialog>

class QLabel;
class QTableWidget;
class QPushButton;

namespace tubalon {

class TFormParams : public QDialog {
    Q_OBJECT
public:
    // Loads folder + "Params.ini" over the defaults: the settings folder (SettingsDir), which
    // ends with a separator. What the file held that could not be used is shown above the
    // grid and kept in Problems().
    explicit TFormParams(const QString& appDir, QWidget* parent = nullptr);
    const QStringList& Problems() const { return store_.Problems(); }

    // The live store: edits in the grid take effect at once, saved or not.
    const TParamStore& params() const { return store_; }
    QString FilePath() const { return appDir_ + TParamStore::kFileName; }

public slots:
    void BSaveClick();
    void BDefaultClick();

private:
    void FormCreate();
    void FillGrid();
    void FittingsChanged(int row, int column);

    QString appDir_;
    TParamStore store_;
    QTableWidget* fittings_ = nullptr;
    QLabel* problems_ = nullptr;
    bool filling_ = false;
};

} // namespace tubalon
