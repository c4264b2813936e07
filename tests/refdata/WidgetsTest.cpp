#include "refdata/PipePage.h"
#include "refdata/PipeTable.h"
#include "refdata/UnitParams.h"
#include "units/Messages.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tubalon;

class RefdataWidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetHeadlessMessages(true); }

    void paramsGridIsTheStore() {
        QTemporaryDir dir;
        TFormParams form(dir.path() + QLatin1Char('/'));
        QCOMPARE(form.windowTitle(), QStringLiteral("参数设置"));
        auto* grid = form.findChild<QTableWidget*>(QStringLiteral("Fittings"));
        QVERIFY(grid);
        QCOMPARE(grid->rowCount(), 14);
        QCOMPARE(grid->item(12, 0)->text(), QStringLiteral("传热计算方法"));
        QVERIFY(grid->item(12, 1)->toolTip().contains(QStringLiteral("原方法")));
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("名称"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("数值"));
        QCOMPARE(grid->item(10, 0)->text(), QStringLiteral("气液分界密度/kg/m3"));
        QVERIFY(!(grid->item(10, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid->item(10, 1)->flags() & Qt::ItemIsEditable);
        // An edit takes effect at once, saved or not.
        grid->item(1, 1)->setText(QStringLiteral("2"));
        QCOMPARE(form.params().Value(QStringLiteral("套管进口")), QStringLiteral("2"));
        QVERIFY(!QFile::exists(form.FilePath()));
        // Not resizable.
        QCOMPARE(form.minimumSize(), form.maximumSize());
    }

    void paramsSaveLoadAndDefaults() {
        QTemporaryDir dir;
        const QString appDir = dir.path() + QLatin1Char('/');
        {
            TFormParams form(appDir);
            auto* grid = form.findChild<QTableWidget*>(QStringLiteral("Fittings"));
            grid->item(6, 1)->setText(QStringLiteral("1.2"));
            form.findChild<QPushButton*>(QStringLiteral("BSave"))->click();
            QVERIFY(QFile::exists(form.FilePath()));
        }
        TFormParams again(appDir);
        QCOMPARE(again.params().Value(QStringLiteral("外管液体速度/m/S")), QStringLiteral("1.2"));
        const int before = MessagesShown();
        again.findChild<QPushButton*>(QStringLiteral("BDefault"))->click();
        QCOMPARE(MessagesShown(), before + 1);
        QVERIFY(!QFile::exists(again.FilePath()));
        // The grid keeps what it showed until the next start.
        QCOMPARE(again.params().Value(QStringLiteral("外管液体速度/m/S")), QStringLiteral("1.2"));
        again.findChild<QPushButton*>(QStringLiteral("BDefault"))->click(); // no file: still told
        QCOMPARE(MessagesShown(), before + 2);
        TFormParams fresh(appDir);
        QCOMPARE(fresh.params().Value(QStringLiteral("外管液体速度/m/S")), QStringLiteral("1.5"));
    }

    // A value that is not a number is refused on entry, naming the key; the store keeps its
    // value. A stored value that is not one is shown above the grid, the default in use.
    void paramsRefuseWhatIsNotANumber() {
        QTemporaryDir dir;
        const QString appDir = dir.path() + QLatin1Char('/');
        {
            QFile f(appDir + QStringLiteral("Params.ini"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QStringLiteral("[Fittings]\r\n套管进口=abc\r\n").toUtf8());
        }
        TFormParams form(appDir);
        QCOMPARE(form.params().Value(QStringLiteral("套管进口")), QStringLiteral("1.5"));
        auto* shown = form.findChild<QLabel*>(QStringLiteral("LProblems"));
        QVERIFY(shown && !shown->isHidden());
        QVERIFY(shown->text().contains(QStringLiteral("“套管进口”的值“abc”不是有效的数字")));
        QCOMPARE(form.Problems().size(), 1); // keys the file lacks keep their defaults

        auto* grid = form.findChild<QTableWidget*>(QStringLiteral("Fittings"));
        HeadlessLog().clear();
        const struct {
            int row;
            const char* typed;
            const char* kept;
            const char* message;
        } cases[] = {
            {2, "x1", "1.3", "“套管出口”：“x1”不是有效的数字，没有采用。"},
            {6, "0", "1.5", "“外管液体速度/m/S”：“0”必须大于 0，没有采用。"},
            {2, "1.25", "1.25", nullptr},
            {0, "阻力", "阻力", nullptr}, // a heading takes any text
        };
        for (const auto& c : cases) {
            const int before = static_cast<int>(HeadlessLog().size());
            grid->item(c.row, 1)->setText(QString::fromUtf8(c.typed));
            QCOMPARE(grid->item(c.row, 1)->text(), QString::fromUtf8(c.kept));
            QCOMPARE(form.params().rows()[static_cast<std::size_t>(c.row)].value,
                     QString::fromUtf8(c.kept));
            if (c.message) {
                QCOMPARE(HeadlessLog().size(), before + 1);
                QCOMPARE(HeadlessLog().last(), QString::fromUtf8(c.message));
            } else {
                QCOMPARE(HeadlessLog().size(), before);
            }
        }
        // Saving writes a whole, good file: the note goes.
        form.findChild<QPushButton*>(QStringLiteral("BSave"))->click();
        QVERIFY(shown->isHidden());
        QVERIFY(TFormParams(appDir).Problems().isEmpty());
    }

    void pipePageSelectSortMaintain() {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("Piples.db"));
        QVERIFY(QFile::copy(QStringLiteral(TUBALON_TEST_PIPES_DB), copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        TPipeTable table;
        table.Open(copy);
        TPipePage page(table);
        QSqlTableModel* model = page.model();
        QVERIFY(model);
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("管子规格"));
        QCOMPARE(page.grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(page.currentRow(), 0);

        // Sort by the size text, as texts: "1020×10" comes before "10×2".
        page.DBGPiplesTitleClick(1);
        QCOMPARE(model->record(0).value("DN").toString(), QStringLiteral("1020×10"));
        for (int r = 1; r < model->rowCount(); ++r)
            QVERIFY(model->record(r - 1).value("DN").toString() <
                    model->record(r).value("DN").toString());
        page.DBGPiplesTitleClick(3);
        for (int r = 1; r < model->rowCount(); ++r)
            QVERIFY(model->record(r - 1).value("Di").toDouble() <=
                    model->record(r).value("Di").toDouble());

        // "选择" on 57×3.5 hands 0.057 m and 0.050 m over and ends.
        int row = -1;
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->record(r).value("DN").toString() == QStringLiteral("57×3.5")) row = r;
        QVERIFY(row >= 0);
        page.grid()->setCurrentIndex(model->index(row, 0));
        QSignalSpy chosen(&page, &TPipePage::pipeChosen);
        QSignalSpy finished(&page, &TPipePage::selectFinished);
        page.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toDouble(), 0.057);
        QCOMPARE(chosen[0][1].toDouble(), 0.050);
        QCOMPARE(finished.count(), 1);

        // "维护" writes the numbers derived from the text back.
        {
            QSqlQuery q(table.database());
            QVERIFY(q.exec("UPDATE Piples1 SET Do = 1, Di = 1 WHERE DN = '57×3.5'"));
        }
        QSignalSpy changed(&page, &TPipePage::tableChanged);
        page.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(changed.count(), 1);
        QSqlQuery q(table.database());
        QVERIFY(q.exec("SELECT Do, Di FROM Piples1 WHERE DN = '57×3.5'"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toDouble(), 57.0);
        QCOMPARE(q.value(1).toDouble(), 50.0);

        // Back to key order after an automatic choice.
        page.ResetOrder();
        QCOMPARE(model->record(0).value("ID").toInt(), 1);
        QCOMPARE(page.currentRow(), 0);
    }

    void pipePageBadSizeStopsSelect() {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("Piples.db"));
        QVERIFY(QFile::copy(QStringLiteral(TUBALON_TEST_PIPES_DB), copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        TPipeTable table;
        table.Open(copy);
        {
            QSqlQuery q(table.database());
            QVERIFY(q.exec("UPDATE Piples1 SET DN = '10x2' WHERE ID = 1"));
        }
        TPipePage page(table);
        QSignalSpy finished(&page, &TPipePage::selectFinished);
        const int before = MessagesShown();
        page.Button2Click();
        QCOMPARE(MessagesShown(), before + 1);
        QCOMPARE(finished.count(), 0);
    }
};

QTEST_MAIN(RefdataWidgetsTest)
#include "WidgetsTest.moc"
