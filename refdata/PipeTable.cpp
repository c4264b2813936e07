#include "refdata/PipeTable.h"

#include "units/Errors.h"
#include "units/TextFiles.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace tubalon {

const QString TPipeTable::kTable = QStringLiteral("Piples1");

namespace {

[[noreturn]] void DbFail(const QString& path, const QString& why) {
    throw Error(QStringLiteral("无法打开管道数据库 %1：%2").arg(path, why));
}

} // namespace

TPipeTable::TPipeTable() {
    static std::atomic<int> serial{0};
    connection_ = QStringLiteral("tubalon_pipes_%1").arg(serial++);
}

TPipeTable::~TPipeTable() {
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QString TPipeTable::DatabasePath(const QString& appDir) {
    return appDir + QStringLiteral("../Data/Piples.db");
}

void TPipeTable::Open(const QString& path) {
    // SQLite would block on a FIFO and map a huge file: only a regular file of bounded size.
    switch (StateOfFile(path, kMaxDataFileBytes)) {
    case FileState::Missing:
        DbFail(path, QStringLiteral("文件不存在"));
    case FileState::NotRegular:
        DbFail(path, QStringLiteral("不是普通文件（而是文件夹、管道或设备）"));
    case FileState::TooLarge:
        DbFail(path, QStringLiteral("文件太大（上限 64 MB）"));
    case FileState::Regular:
        break;
    }
    if (!db_.isValid()) db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db_.close();
    db_.setDatabaseName(path);
    if (!db_.open()) DbFail(path, db_.lastError().text());
    Reload();
}

void TPipeTable::Reload() {
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT ID, DN, Do, Di FROM %1 ORDER BY ID").arg(kTable)))
        DbFail(db_.databaseName(), q.lastError().text());
    std::vector<PipeRow> rows;
    while (q.next())
        rows.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toDouble(),
                        q.value(3).toDouble()});
    series_ = PipeSeries(std::move(rows));
}

void TPipeTable::Maintain(const std::vector<int>& ids) {
    QSqlQuery read(db_), write(db_);
    read.prepare(QStringLiteral("SELECT DN FROM %1 WHERE ID = ?").arg(kTable));
    write.prepare(QStringLiteral("UPDATE %1 SET Do = ?, Di = ? WHERE ID = ?").arg(kTable));
    struct ReloadAtEnd {
        TPipeTable* t;
        ~ReloadAtEnd() {
            try {
                t->Reload();
            } catch (...) {
            }
        }
    } reload{this};
    for (int id : ids) {
        read.bindValue(0, id);
        if (!read.exec() || !read.next()) continue;
        const PipeDimensions d = ParsePipeSize(read.value(0).toString());
        write.bindValue(0, d.outer);
        write.bindValue(1, d.Inner());
        write.bindValue(2, id);
        if (!write.exec())
            throw Error(QStringLiteral("无法写入管道数据库：%1").arg(write.lastError().text()));
    }
}

} // namespace tubalon
