#include "refdata/PipeTable.h"
#include "units/Errors.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tubalon;

namespace {

const QString kDb = QStringLiteral(TUBALON_TEST_PIPES_DB);

TEST(PipeSize, Parse) {
    const PipeDimensions d = ParsePipeSize(QStringLiteral("57×3.5"));
    EXPECT_DOUBLE_EQ(d.outer, 57);
    EXPECT_DOUBLE_EQ(d.wall, 3.5);
    EXPECT_DOUBLE_EQ(d.Inner(), 50);
    EXPECT_THROW(ParsePipeSize(QStringLiteral("57x3.5")), EConvertError);
    EXPECT_THROW(ParsePipeSize(QStringLiteral("57×abc")), EConvertError);
    EXPECT_THROW(ParsePipeSize(QStringLiteral("×3")), EConvertError);
}

TEST(PipeTable, ShippedSeries) {
    TPipeTable table;
    table.Open(kDb);
    const PipeSeries& s = table.series();
    ASSERT_GE(s.size(), 30u);
    // Every row's numbers agree with its size text; the series spans 10×2 to 1020×10.
    for (const PipeRow& r : s.rowsByInner()) {
        const PipeDimensions d = ParsePipeSize(r.dn);
        EXPECT_DOUBLE_EQ(r.outer, d.outer) << r.dn.toStdString();
        EXPECT_DOUBLE_EQ(r.inner, d.Inner()) << r.dn.toStdString();
        EXPECT_LE(r.dn.size(), 10);
    }
    EXPECT_EQ(s.rowsByInner().front().dn, QStringLiteral("10×2"));
    EXPECT_GE(s.rowsByInner().back().outer, 1020);
    // Wt 1 kg/s of water at 1.5 m/s needs 29.135 mm: 38×3.
    const PipeSize p = s.LookupByInnerDiameter(0.029135);
    EXPECT_DOUBLE_EQ(p.inner, 0.032);
    EXPECT_DOUBLE_EQ(p.outer, 0.038);
    // 0.8 m is in the table.
    EXPECT_DOUBLE_EQ(s.LookupByInnerDiameter(0.8).inner, 0.8);
    EXPECT_DOUBLE_EQ(s.LookupByInnerDiameter(0.8).outer, 0.82);
}

TEST(PipeTable, MissingFile) {
    TPipeTable table;
    EXPECT_THROW(table.Open(QStringLiteral("/nonexistent/Piples.db")), Error);
    EXPECT_FALSE(table.isOpen());
    EXPECT_EQ(TPipeTable::DatabasePath(QStringLiteral("/opt/t/bin/")),
              QStringLiteral("/opt/t/bin/../Data/Piples.db"));
}

TEST(PipeTable, MaintainRecomputesAndStopsAtABadRow) {
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("Piples.db"));
    ASSERT_TRUE(QFile::copy(kDb, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    TPipeTable table;
    table.Open(copy);
    {
        QSqlQuery q(table.database());
        ASSERT_TRUE(q.exec("UPDATE Piples1 SET Do = 0, Di = 0 WHERE ID IN (1, 2, 3)"));
        ASSERT_TRUE(q.exec("UPDATE Piples1 SET DN = '57×3.5' WHERE ID = 1"));
        ASSERT_TRUE(q.exec("UPDATE Piples1 SET DN = 'bad' WHERE ID = 2"));
    }
    EXPECT_THROW(table.Maintain({1, 2, 3}), EConvertError);
    QSqlQuery q(table.database());
    ASSERT_TRUE(q.exec("SELECT ID, Do, Di FROM Piples1 WHERE ID IN (1, 3) ORDER BY ID"));
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 57);
    EXPECT_DOUBLE_EQ(q.value(2).toDouble(), 50);
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(1).toDouble(), 0); // after the bad row: unchanged
    // The in-memory table follows the database.
    bool found = false;
    for (const PipeRow& r : table.series().rowsByInner())
        found |= r.id == 1 && r.inner == 50;
    EXPECT_TRUE(found);
}

} // namespace
