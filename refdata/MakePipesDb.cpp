// Build tool: makes the pipe database from its SQL text.
//   tubalon-mkpipes <pipes.sql> <Piples.db>
#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tubalon-mkpipes <pipes.sql> <Piples.db>\n");
        return 2;
    }
    QFile sql(QString::fromLocal8Bit(argv[1]));
    if (!sql.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    // Statements end with ";" at the end of a line; "--" lines are comments.
    QStringList statements;
    QString current;
    for (const QString& raw : QString::fromUtf8(sql.readAll()).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QStringLiteral("--"))) continue;
        current += line + QLatin1Char(' ');
        if (line.endsWith(QLatin1Char(';'))) {
            statements << current;
            current.clear();
        }
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString temp = out + QStringLiteral(".tmp");
    QFile::remove(temp);
    int rc = 0;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mk"));
        db.setDatabaseName(temp);
        if (!db.open()) {
            std::fprintf(stderr, "%s\n", db.lastError().text().toLocal8Bit().constData());
            return 1;
        }
        db.transaction();
        QSqlQuery q(db);
        for (const QString& s : statements) {
            if (!q.exec(s)) {
                std::fprintf(stderr, "%s\n  in: %s\n",
                             q.lastError().text().toLocal8Bit().constData(),
                             s.toLocal8Bit().constData());
                rc = 1;
                break;
            }
        }
        if (rc == 0) db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mk"));
    if (rc != 0) return rc;
    QFile::remove(out);
    if (!QFile::rename(temp, out)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
