// The pipe table "Piples1" in Data/Piples.db beside the program's folder, reached through
// Qt SQL (QSQLITE) and held in memory for the lookups of the automatic pipe choice.
#pragma once

#include "refdata/PipeSeries.h"

#include <QSqlDatabase>
#include <QString>

namespace tubalon {

class TPipeTable {
public:
    static const QString kTable; // "Piples1"

    TPipeTable();
    ~TPipeTable();
    TPipeTable(const TPipeTable&) = delete;
    TPipeTable& operator=(const TPipeTable&) = delete;

    // appDir + "../Data/Piples.db" (appDir ends with a separator).
    static QString DatabasePath(const QString& appDir);
    // Opens the file and reads every row. A missing or unreadable file, or one that is not a
    // regular file of at most 64 MB, raises Error.
    void Open(const QString& path);
    bool isOpen() const { return db_.isOpen(); }
    QSqlDatabase database() const { return db_; }

    // Rereads the rows after the database changed ("维护").
    void Reload();
    const PipeSeries& series() const { return series_; }

    // Recomputes Do and Di from DN for the rows with these IDs, in this order, each stored at
    // once; a DN that cannot be read raises EConvertError and leaves the later rows as they were.
    void Maintain(const std::vector<int>& ids);

private:
    QString connection_;
    QSqlDatabase db_;
    PipeSeries series_;
};

} // namespace tubalon
