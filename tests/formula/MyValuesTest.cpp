#include "formula/MyValues.h"
#include "formula/EvalCommand.h"
#include "formula/FormulaParser.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace tubalon;

class MyValuesTest : public QObject {
    Q_OBJECT

private slots:
    void newTable() {
        TMyValues v;
        QCOMPARE(v.Titles().toList(), QStringList({"名称", "数量", "单位", "备注"}));
        QVERIFY(v.Unique());
        QCOMPARE(v.rowCount(), 5);
        QCOMPARE(v.Names().count(), 5);
        QCOMPARE(v.Titles().count(), 4);
        QCOMPARE(v.columnWidth(3), 120);
        QCOMPARE(v.currentRow(), 4);
        QCOMPARE(v.currentColumn(), 3);
    }

    void dialogForm() {
        TMyValues v;
        v.LoadPropertyDialogForm();
        QCOMPARE(v.rowCount(), 3);
        QCOMPARE(v.GetValue("T"), QString("20"));
        QCOMPARE(v.GetValue("p"), QString("100"));
        QCOMPARE(v.Units()[1], QString("C"));
        QCOMPARE(v.Notes()[2], QString("压力"));
        QCOMPARE(v.GetValue("q"), QString());
        QCOMPARE(v.columnWidth(1), 87);
    }

    void addValueUnique() {
        TMyValues v;
        v.LoadPropertyDialogForm();
        v.AddValue("x", "", "", "");
        QCOMPARE(v.rowCount(), 4);
        QCOMPARE(v.Names()[3], QString("x"));
        QCOMPARE(v.Values()[3], QString());
        v.AddValue("X", "5", "", "");
        QCOMPARE(v.rowCount(), 4);
        QCOMPARE(v.GetValue("x"), QString());
    }

    void clearFromKeepsRows() {
        TMyValues v;
        v.LoadPropertyDialogForm();
        v.ClearFrom(1);
        QCOMPARE(v.GetValue("t"), QString());
        QCOMPARE(v.rowCount(), 3);
        QCOMPARE(v.Names()[1], QString());
        QCOMPARE(v.Units()[2], QString());
        QCOMPARE(v.Titles()[0], QString("名称"));
        v.AddValue("t", "20", "", "");
        QCOMPARE(v.Names()[1], QString("t"));
        QCOMPARE(v.Values()[1], QString("20"));
        QCOMPARE(v.Units()[1], QString());
        QCOMPARE(v.Notes()[1], QString());
    }

    void reusedRowKeepsOlderCells() {
        TMyValues v;
        v.LoadPropertyDialogForm();
        v.SetCell(1, TMyValues::ColName, "  ");
        v.AddValue("q", "7", "", "");
        QCOMPARE(v.Names()[1], QString("q"));
        QCOMPARE(v.Values()[1], QString("7"));
        QCOMPARE(v.Units()[1], QString("C"));
    }

    void notUniqueAddsSecondRow() {
        TMyValues v;
        v.LoadPropertyDialogForm();
        v.SetUnique(false);
        v.AddValue("t", "30", "", "");
        QCOMPARE(v.rowCount(), 4);
        QCOMPARE(v.Values()[3], QString("30"));
        QCOMPARE(v.GetValue("t"), QString("20"));
        v.SetValue("t", "25");
        QCOMPARE(v.Values()[1], QString("25"));
        QCOMPARE(v.Values()[3], QString("30"));
        v.SetValue("nothing", "1");
        QCOMPARE(v.rowCount(), 4);
    }

    void listSetters() {
        TMyValues v;
        v.LoadPropertyDialogForm();
        v.SetValues({"V", "1", "2", "3", "4"});
        QCOMPARE(v.rowCount(), 3);
        QCOMPARE(v.Values().toList(), QStringList({"V", "1", "2"}));
        v.SetNames({"N"});
        QCOMPARE(v.Names().toList(), QStringList({"N", "t", "p"}));
        auto units = v.Units();
        units.set(2, "Pa");
        QCOMPARE(v.Cell(2, TMyValues::ColUnit), QString("Pa"));
        v.SetTitles({"a", "b", "c", "d", "e"});
        QCOMPARE(v.Titles().toList(), QStringList({"a", "b", "c", "d"}));
    }

    void loadTrimsOnlyStoredCells() {
        TMyValues v;
        v.LoadStored({{"名称", "数量", "单位", "备注"}, {" t ", " 20 ", "C ", " 温度"}},
                     {64, 87, 56, 110}, true);
        QCOMPARE(v.GetValue("t"), QString("20"));
        QCOMPARE(v.Notes()[1], QString("温度"));
        v.SetValue("t", " 20 ");
        QCOMPARE(v.GetValue("t"), QString(" 20 "));
        int code = -1;
        QCOMPARE(static_cast<double>(EvaluateWithValues(QString("t*2"), &v, code)), 40.0);
        QCOMPARE(code, 0);
    }

    void typingOnlyInTheValueColumn() {
        TMyValues v;
        v.LoadPropertyDialogForm();
        v.show();
        v.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&v));
        v.setCurrentCell(1, TMyValues::ColUnit);
        QTest::keyClicks(&v, "xyz");
        QCOMPARE(v.Units()[1], QString("C"));
        v.setCurrentCell(2, TMyValues::ColNote);
        QTest::keyClicks(&v, "abc");
        QCOMPARE(v.Notes()[2], QString("压力"));
        v.setCurrentCell(1, TMyValues::ColValue);
        QTest::keyClick(&v, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        QVERIFY(qobject_cast<QLineEdit*>(editor));
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "35");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(v.Values()[1], QString("35")); // the editor commits queued
        QVERIFY(!(v.item(0, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(v.item(1, 0)->flags() & Qt::ItemIsEditable));
    }

    void evaluateWithTable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("t+1") << "t+1" << 21.0 << 0 << QStringList{"名称", "t", "p"};
        QTest::newRow("2*x") << "2*x" << 0.0 << 2 << QStringList{"名称", "t", "p", "x"};
        QTest::newRow("constant") << "1+2" << 3.0 << 0 << QStringList{"名称", "t", "p"};
        QTest::newRow("2*2090") << "2*2090" << 4180.0 << 0 << QStringList{"名称", "t", "p"};
        QTest::newRow("empty") << "" << 0.0 << 6 << QStringList{"名称", "t", "p"};
        QTest::newRow("V and Z") << "V*Z+t" << 0.0 << 2 << QStringList{"名称", "t", "p", "V", "Z"};
        QTest::newRow("lower case built-ins")
            << "sqrt(t*5)+exp(0)" << 11.0 << 0 << QStringList{"名称", "t", "p"};
    }

    void evaluateWithTable() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(int, code);
        QFETCH(QStringList, names);
        TMyValues v;
        v.LoadPropertyDialogForm();
        int got = -1;
        QCOMPARE(static_cast<double>(EvaluateWithValues(text, &v, got)), value);
        QCOMPARE(got, code);
        QCOMPARE(v.Names().toList(), names);
        QCOMPARE(v.GetValue("t"), QString("20"));
        QCOMPARE(v.GetValue("p"), QString("100"));
    }

    void evalCommand_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("status");
        QTest::newRow("t and p") << QStringList{"--eval", "1000-0.5*t+p/100"}
                                 << "991\n0\n结果正确\n"
                                 << 0;
        QTest::newRow("changed t")
            << QStringList{"--eval", "t/3", "--value", "T=1"} << "0.333333333333333\n0\n结果正确\n"
            << 0;
        QTest::newRow("new value")
            << QStringList{"--eval", "V*2", "--value", "V=1.5"} << "3\n0\n结果正确\n"
            << 0;
        QTest::newRow("error") << QStringList{"--eval", "5/0"} << "0\n9\n被0除\n" << 1;
        QTest::newRow("unknown letter") << QStringList{"--eval", "2*x"} << "0\n2\n未知的函数\n"
                                        << 1;
        QTest::newRow("large") << QStringList{"--eval", "1E20*1E15"} << "1E35\n0\n结果正确\n" << 0;
        // The exponent after "1." and the letters of a quoted text are no variables.
        QTest::newRow("1.E3") << QStringList{"--eval", "1.E3"} << "1000\n0\n结果正确\n" << 0;
        QTest::newRow("quoted text") << QStringList{"--eval", "LENGTH('a b')"} << "2\n0\n结果正确\n"
                                     << 0;
    }

    void evalCommand() {
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        QFETCH(int, status);
        QString text;
        QTextStream out(&text);
        QCOMPARE(RunEvalCommand(args, out), status);
        QCOMPARE(text, output);
    }

    void evalCommandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no text") << QStringList{"--eval"};
        QTest::newRow("value without pair") << QStringList{"--eval", "t", "--value"};
        QTest::newRow("value without =") << QStringList{"--eval", "t", "--value", "t"};
        QTest::newRow("stray argument") << QStringList{"--eval", "t", "extra"};
    }

    void evalCommandLine() {
        QFETCH(QStringList, args);
        QString text;
        QTextStream out(&text);
        QCOMPARE(RunEvalCommand(args, out), 2);
        QVERIFY(text.contains("用法"));
    }
};

QTEST_MAIN(MyValuesTest)
#include "MyValuesTest.moc"
