#include "app/CalcTool.h"
#include "app/MyStatusBar.h"
#include "app/Startup.h"
#include "app/UnitMain.h"
#include "refdata/UnitPickList.h"
#include "tests/support/WindowSession.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace tubalon;

class MainWindowTest : public QObject, WindowSession {
    Q_OBJECT

    TEditD* F(const char* name) { return w->Field(name); }
    template <class T = QWidget> T* C(const char* name) { return w->findChild<T*>(name); }
    void Set(const char* name, const QString& value) {
        QCOMPARE(SetControl(*w, name, value), QString());
    }
    void SetAll(std::initializer_list<std::pair<const char*, const char*>> kv) {
        for (const auto& [k, v] : kv)
            Set(k, v);
    }
    void BasicBalance() {
        SetAll({{"CBAuto", "0"},
                {"WrD", "1"},
                {"CprD", "4180"},
                {"Tr1D", "80"},
                {"Tr2D", "60"},
                {"CptD", "4180"},
                {"Tt1D", "20"},
                {"Tt2D", "40"}});
    }

    // The water-water example (examples/water-water.sh): a complete design, WtD solved.
    void WaterWater() {
        HeadlessLog().clear(); // the program's start tells of the missing property library
        SetAll({{"CBAuto", "0"},     {"WrD", "1"},       {"CprD", "4180"},    {"Tr1D", "80"},
                {"Tr2D", "60"},      {"DenrD", "977.8"}, {"MrD", "0.000404"}, {"LdrD", "0.668"},
                {"CptD", "4180"},    {"Tt1D", "20"},     {"Tt2D", "40"},      {"DentD", "995.7"},
                {"MtD", "0.000801"}, {"LdtD", "0.618"},  {"dooD", "0.057"},   {"doiD", "0.05"},
                {"dioD", "0.032"},   {"diiD", "0.026"},  {"SlD", "6"},        {"BpD", "0.05"},
                {"TaD", "20"},       {"RsD", "0.0002"},  {"RtD", "0.0002"},   {"ErD", "0.0001"},
                {"EtD", "0.0001"}});
    }
    QString ReportText() {
        w->SBRSimple->trigger();
        return w->REReport->toPlainText();
    }
    QString ProgressText() { return w->MyStatusBar1->PanelText(1); }
    static constexpr const char* kSizingResults[] = {"KaD", "AcD", "ArD",  "LaD",
                                                     "mD",  "CsD", "DpsD", "DptD"};

private slots:
    void init() { Start(); }
    void cleanup() { Stop(); }

    void initialWindow() {
        QCOMPARE(w->windowTitle(), QString("Tubalon"));
        QCOMPARE(w->size(), QSize(1024, 768));
        QCOMPARE(w->NumericFields().size(), 57);
        int selectors = 0;
        for (QWidget* c : w->Components())
            if (auto* u = qobject_cast<TComboBoxU*>(c)) {
                ++selectors;
                QVERIFY(u->Associated());
                QCOMPARE(u->currentIndex(), 0);
                QCOMPARE(u->Associated()->Exchange(), 1.0);
            }
        QCOMPARE(selectors, 57);
        // Component order starts as the case file expects.
        QStringList first;
        for (QWidget* c : w->Components())
            if (!qobject_cast<QLabel*>(c) && !qobject_cast<QToolButton*>(c))
                first << c->objectName();
        QCOMPARE(first.mid(0, 9), QStringList({"FlowType", "CalTypeD", "CsminD", "EditLHysysName",
                                               "CBAuto", "ShapeD", "LayType", "doiD", "doiU"}));
        for (TEditD* f : w->NumericFields()) {
            QVERIFY2(f->MyLabel(), qPrintable(f->objectName()));
            QVERIFY(f->text().isEmpty());
        }
        QCOMPARE(F("WrD")->Caption(), QString("质量流量"));
        QCOMPARE(C<QLabel>("SlL")->text(), QString("单程管长"));
        QVERIFY(C<QCheckBox>("CBAuto")->isChecked());
        QVERIFY(!C<TRadioGroup>("LayType")->isEnabled());
        QVERIFY(!F("DspD")->isEnabled());
        QVERIFY(!F("DHrD")->isEnabled());
        QVERIFY(!F("TimeD")->isEnabled());
        QVERIFY(!C<QToolButton>("SBP3")->isEnabled());
        QVERIFY(F("UrD")->isReadOnly());
        QCOMPARE(ColorOf(F("WrD")), clWindow);
        QCOMPARE(ColorOf(F("dooD")), clBtnFace);
        QCOMPARE(C<QLineEdit>("LarD")->text(), QString("0.00"));
        QCOMPARE(C<QComboBox>("CsminD")->currentText(), QString("0"));
        QVERIFY(!w->MFSave->isEnabled());
        QCOMPARE(w->MyStatusBar1->PanelText(1), QString("进度：0.00%"));
        QCOMPARE(w->PCAll->count(), 4);
        QCOMPARE(w->PCAll->tabText(3), QString("简易报表"));
    }

    // A window of 1024 x 768 shows the whole case page without scrolling; a smaller one
    // scrolls it rather than growing past the screen.
    void caseFitsAt1024x768() {
        auto* scroll = qobject_cast<QScrollArea*>(w->TSCalc);
        QVERIFY(scroll);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QApplication::processEvents();
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        QVERIFY(!scroll->verticalScrollBar()->isVisible());
        w->resize(800, 560);
        QApplication::processEvents();
        QCOMPARE(w->size(), QSize(800, 560));
        QVERIFY(scroll->horizontalScrollBar()->isVisible());
        QVERIFY(scroll->verticalScrollBar()->isVisible());
    }

    void shapeRule() {
        Set("ShapeD", "1");
        QCOMPARE(F("DspD")->text(), QString("1.5"));
        QVERIFY(F("DspD")->isEnabled());
        QCOMPARE(C<QLabel>("SlL")->text(), QString("盘管直径"));
        F("DspD")->setText("2.5");
        Set("ShapeD", "0");
        QVERIFY(!F("DspD")->isEnabled());
        Set("ShapeD", "1");
        QCOMPARE(F("DspD")->text(), QString("2.5"));
        Set("ShapeD", "2");
        QVERIFY(F("TimeD")->isEnabled());
        QVERIFY(C<TRadioGroup>("LayType")->isEnabled());
        QCOMPARE(C<QLabel>("SlL")->text(), QString("釜高度"));
        Set("LayType", "1");
        QCOMPARE(C<QLabel>("SlL")->text(), QString("釜长度"));
        QVERIFY(w->Modified());
    }

    void phaseRules() {
        Set("PhrD", "1");
        for (const char* n : {"DHrD", "DrvD", "MrvD"}) {
            QVERIFY2(F(n)->isEnabled(), n);
            QCOMPARE(ColorOf(F(n)), clWindow);
        }
        // The vapour velocity comes on as a result, not as an input.
        QVERIFY(F("UrvD")->isEnabled());
        QVERIFY(F("UrvD")->isReadOnly());
        QCOMPARE(ColorOf(F("UrvD")), clBtnFace);
        QVERIFY(C<QLineEdit>("LarD")->isEnabled());
        QVERIFY(C<QToolButton>("SBP1v")->isEnabled());
        F("DHrD")->setText("2257000");
        Set("PhrD", "0");
        QVERIFY(!F("DHrD")->isEnabled());
        QCOMPARE(F("DHrD")->text(), QString("2257000"));
        Set("PhtD", "1");
        QVERIFY(F("PtvD")->isEnabled());
        QVERIFY(C<QLineEdit>("LatD")->isEnabled());
    }

    void phaseClickClearsComputedKeepsSolved() {
        BasicBalance();
        QCOMPARE(ColorOf(F("QrD")), clComputed);
        QCOMPARE(ColorOf(F("WtD")), clSolved);
        w->PhrDClick(); // the click rule alone; leaving the list recalculates
        QCOMPARE(F("QrD")->text(), QString());
        QCOMPARE(ColorOf(F("QrD")), clWindow);
        QCOMPARE(F("WtD")->text(), QString("1"));
        QCOMPARE(ColorOf(F("WtD")), clSolved);
    }

    void calculationTypeAndAutoDiameters() {
        QCOMPARE(ColorOf(F("dooD")), clBtnFace);
        Set("CalTypeD", "1");
        QVERIFY(!C<QCheckBox>("CBAuto")->isChecked());
        QVERIFY(!C<QCheckBox>("CBAuto")->isEnabled());
        for (const char* n : {"mD", "dooD", "doiD", "dioD", "diiD"}) {
            QCOMPARE(ColorOf(F(n)), clWindow);
            QVERIFY(!F(n)->isReadOnly());
        }
        Set("CalTypeD", "0");
        QVERIFY(C<QCheckBox>("CBAuto")->isChecked());
        for (const char* n : {"mD", "dooD", "doiD", "dioD", "diiD"}) {
            QCOMPARE(ColorOf(F(n)), clComputed);
            QVERIFY(F(n)->isReadOnly());
        }
        Set("CBAuto", "0");
        QCOMPARE(ColorOf(F("dooD")), clWindow);
    }

    void diameterChecks_data() {
        QTest::addColumn<QString>("Do");
        QTest::addColumn<QString>("Di");
        QTest::addColumn<QString>("dout");
        QTest::addColumn<QString>("din");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("ok") << "0.057"
                            << "0.05"
                            << "0.025"
                            << "0.02" << QStringList();
        QTest::newRow("Do = Di") << "0.05"
                                 << "0.05"
                                 << "0.025"
                                 << "0.02" << QStringList{"外管：外径必须大于内径！"};
        QTest::newRow("all broken")
            << "0.01"
            << "0.02"
            << "0.03"
            << "0.04"
            << QStringList{"外管：外径必须大于内径！", "外管内径必须大于内管外径！",
                           "内管：外径必须大于内径！"};
        QTest::newRow("one empty") << "0.01"
                                   << "0.02"
                                   << "0.03"
                                   << "" << QStringList();
    }
    void diameterChecks() {
        QFETCH(QString, Do);
        QFETCH(QString, Di);
        QFETCH(QString, dout);
        QFETCH(QString, din);
        QFETCH(QStringList, messages);
        Set("CBAuto", "0");
        F("doiD")->setText(Di);
        F("dioD")->setText(dout);
        F("diiD")->setText(din);
        HeadlessLog().clear();
        Set("dooD", Do);
        QCOMPARE(HeadlessLog(), messages);
    }

    void pitchCheck() {
        Set("ShapeD", "1");
        HeadlessLog().clear();
        Set("DspD", "0.5");
        QCOMPARE(HeadlessLog(), QStringList{"不能小于1.0 !"});
        HeadlessLog().clear();
        Set("DspD", "");
        Set("DspD", "2");
        QVERIFY(HeadlessLog().isEmpty());
    }

    void clearCommand() {
        BasicBalance();
        w->show();
        F("QrD")->setFocus();
        QApplication::processEvents();
        w->SBClearClick(); // answered No by default
        QCOMPARE(F("QrD")->text(), QString("-83600"));
        QCOMPARE(ColorOf(F("QrD")), clWindow);
        QVERIFY(!F("QrD")->isReadOnly());
        QCOMPARE(HeadlessLog().last(), QString("你要清除数据:环道热量?"));
        SetHeadlessAnswer([](const QString&) { return QMessageBox::Yes; });
        w->SBClearClick();
        QCOMPARE(F("QrD")->text(), QString());
    }

    void enterAndArrowNavigation() {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        F("WrD")->setFocus();
        QApplication::processEvents();
        QTest::keyClick(F("WrD"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), F("Tr1D"));
        QTest::keyClick(F("Tr1D"), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), F("WrD"));
        // Disabled controls are skipped: DHrD and the vapour fields are off.
        F("LdrD")->setFocus();
        QTest::keyClick(F("LdrD"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("PhtD"));
        // In a note Enter stays there.
        w->CmttD->setFocus();
        QTest::keyClick(w->CmttD, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w->CmttD);
        // Wrap round at the end.
        F("LaD")->setFocus();
        QTest::keyClick(F("LaD"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("CalTypeD"));
    }

    void leavingByEnterRunsCalculation() {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        SetAll({{"WrD", "1"}, {"CprD", "4180"}, {"Tr1D", "80"}});
        F("Tr2D")->setFocus();
        F("Tr2D")->setText("60");
        QTest::keyClick(F("Tr2D"), Qt::Key_Return);
        QCOMPARE(F("QrD")->text(), QString("-83600"));
    }

    // Leaving a field with a value no exchanger can have: one message naming the field, the
    // focus back on it, no calculation; the same value again is not told twice. An unusual
    // value is told once and calculated with.
    void implausibleInputs_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("calculated");
        QTest::newRow("ambient -300 C")
            << "TaD"
            << "-300"
            << "%1：-300 C 等于或低于绝对零度（-273.15 °C），请改正。\n改正之前不进行计算。"
            << false;
        QTest::newRow("pass length 1e-300 m")
            << "SlD"
            << "1e-300"
            << "%1：1e-300 m 小于 1 µm，请改正。\n改正之前不进行计算。" << false;
        QTest::newRow("insulation of 20 km")
            << "BpD"
            << "2e4"
            << "%1：2e4 m 大于 10 km，请改正。\n改正之前不进行计算。" << false;
        QTest::newRow("negative fouling")
            << "RtD"
            << "-1"
            << "%1：-1 m2.K/W 不能为负数，请改正。\n改正之前不进行计算。" << false;
        QTest::newRow("fouling 1e10")
            << "RsD"
            << "1e10"
            << "%1：1e10 m2.K/W 大于 0.1 m²·K/W，远超过常见的污垢热阻，请确认。" << true;
        QTest::newRow("roughness above the bore's radius")
            << "EtD"
            << "0.02"
            << "%1：0.02 m 大于管子的半径（12.5 mm），请确认。" << true;
        QTest::newRow("usual ambient") << "TaD"
                                       << "25"
                                       << "" << true;
    }
    void implausibleInputs() {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QFETCH(bool, calculated);
        BasicBalance();
        SetAll({{"dioD", "0.032"}, {"diiD", "0.025"}});
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        TEditD* f = w->Field(field);
        f->setFocus();
        f->setText(value);
        HeadlessLog().clear();
        w->lastPasses = 0;
        F("WrD")->setFocus();                                        // leaving the field
        if (!message.isEmpty()) message = message.arg(f->Caption()); // as its label says
        QCOMPARE(HeadlessLog(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(w->lastPasses > 0, calculated);
        QCOMPARE(QApplication::focusWidget(), calculated ? F("WrD") : f);
        if (!calculated) QVERIFY(w->MyStatusBar1->PanelText(0).contains(f->Caption()));
        // Leaving it again with the same value tells nothing new.
        F("WrD")->setFocus();
        QCOMPARE(HeadlessLog().size(), message.isEmpty() ? 0 : 1);
    }

    void balanceSolvesMissingQuantity() {
        BasicBalance();
        QCOMPARE(F("WtD")->text(), QString("1"));
        QCOMPARE(ColorOf(F("WtD")), clSolved);
        QVERIFY(F("WtD")->isReadOnly());
        QCOMPARE(F("QrD")->text(), QString("-83600"));
        QCOMPARE(F("QtD")->text(), QString("83600"));
        QCOMPARE(F("QaD")->text(), QString("83600"));
        QCOMPARE(F("AdtD")->text(), QString("40"));
        QCOMPARE(C<QLineEdit>("HTrD")->text(), QString("热流体"));
        QCOMPARE(C<QLineEdit>("HTtD")->text(), QString("冷流体"));
        // Leaving again with the same inputs writes nothing.
        const int passes = w->lastPasses;
        QVERIFY(passes >= 2);
        Set("CptD", "4180");
        QCOMPARE(w->lastPasses, 1);
    }

    void balanceSolvesTemperature() {
        SetAll({{"CBAuto", "0"},
                {"WrD", "1"},
                {"CprD", "4180"},
                {"Tr1D", "80"},
                {"Tr2D", "60"},
                {"WtD", "1"},
                {"CptD", "4180"},
                {"Tt1D", "20"}});
        QCOMPARE(F("Tt2D")->text(), QString("40"));
        QCOMPARE(ColorOf(F("Tt2D")), clSolved);
        QCOMPARE(F("AdtD")->text(), QString("40"));
    }

    void emptyingAnotherFieldClearsTheSolvedOne() {
        BasicBalance();
        Set("Tr2D", "");
        QCOMPARE(F("WtD")->text(), QString());
        QCOMPARE(ColorOf(F("WtD")), clWindow);
        QVERIFY(!F("WtD")->isReadOnly());
        QCOMPARE(F("Tr2D")->text(), QString());
        QCOMPARE(C<QLineEdit>("HTrD")->text(), QString());
    }

    void twoMissingWritesOnlyCompleteSide() {
        SetAll({{"WrD", "1"}, {"CprD", "4180"}, {"Tr1D", "80"}, {"Tr2D", "60"}, {"Tt1D", "20"}});
        QCOMPARE(F("QrD")->text(), QString("-83600"));
        QCOMPARE(F("QtD")->text(), QString());
        QCOMPARE(F("WtD")->text(), QString());
    }

    void coCurrentAndFlowClick() {
        BasicBalance();
        Set("FlowType", "1");
        QCOMPARE(F("AdtD")->GetSIValue(), 40 / std::log(3.0));
        QCOMPARE(F("AdtD")->FloatStr(), QString("36.40957"));
    }

    void innerSideHot() {
        SetAll({{"WrD", "1"},
                {"CprD", "4180"},
                {"Tr1D", "20"},
                {"Tr2D", "40"},
                {"CptD", "4180"},
                {"Tt1D", "80"},
                {"Tt2D", "60"}});
        QCOMPARE(C<QLineEdit>("HTrD")->text(), QString("冷流体"));
        QCOMPARE(C<QLineEdit>("HTtD")->text(), QString("热流体"));
        QCOMPARE(F("AdtD")->text(), QString("40"));
        QCOMPARE(F("WtD")->text(), QString("1"));
    }

    void temperatureCrossEmptiesMeanDifference() {
        // Co-current, the cold outlet above the hot one: a cross that no solved value causes.
        BasicBalance();
        Set("FlowType", "1");
        Set("Tr2D", "50");
        HeadlessLog().clear();
        Set("Tt2D", "70"); // co-current: 60 at the inlet end, -20 at the outlet end
        QCOMPARE(F("AdtD")->text(), QString());
        QCOMPARE(HeadlessLog().size(), 1);
        QVERIFY(HeadlessLog().first().contains("温度交叉"));
        for (TEditD* f : w->NumericFields()) {
            const QString t = f->text().toLower();
            QVERIFY2(!t.contains("nan") && !t.contains("inf"), qPrintable(f->objectName()));
        }
    }

    void meanDifferenceOnlyAfterTemperatureChange() {
        BasicBalance();
        F("AdtD")->setText("12"); // marker
        Set("CprD", "4180");
        QCOMPARE(F("AdtD")->text(), QString("12"));
        Set("Tr1D", "90");
        QCOMPARE(F("AdtD")->GetSIValue(), 10 / std::log(50.0 / 40.0));
    }

    void condensingAnnulusUsesShare() {
        SetAll({{"PhrD", "1"},
                {"LarD", "10"},
                {"DHrD", "2257000"},
                {"WtD", "2"},
                {"CptD", "4180"},
                {"Tt1D", "20"},
                {"Tt2D", "60"}});
        const double wr = 2 * 4180 * 40 / (0.9 * 2257000);
        QVERIFY(std::fabs(F("WrD")->GetSIValue() - wr) < 1e-8);
        QVERIFY(std::fabs(F("QrD")->GetSIValue() + wr * 2257000) < 1e-4);
    }

    // An error after a complete call leaves no result of the earlier call: coefficient,
    // areas, length and passes are emptied, the progress is not done, the report says why,
    // and the error is told in one box.
    void errorAfterCompleteCallClearsResults() {
        WaterWater();
        QVERIFY2(HeadlessLog().isEmpty(), qPrintable(HeadlessLog().join('|')));
        QVERIFY(w->State().incomplete.isEmpty());
        for (const char* n : kSizingResults)
            QVERIFY2(!F(n)->text().isEmpty(), n);
        QCOMPARE(ProgressText(), QString("进度：100%"));
        QVERIFY(!ReportText().contains("计算未完成"));
        QHash<QString, double> before;
        for (const char* n : kSizingResults)
            before[n] = F(n)->GetSIValue();

        Set("WrD", "1e306"); // the annulus duty overflows
        QCOMPARE(HeadlessLog().size(), 1);
        const QString error = HeadlessLog().first();
        QCOMPARE(w->State().incomplete, error);
        for (const char* n : kSizingResults)
            QVERIFY2(F(n)->text().isEmpty(), n);
        for (const char* n : {"QaD", "QtD", "krD", "ktD", "UrD", "UtD", "QLD", "HLPD"})
            QVERIFY2(F(n)->text().isEmpty(), n);
        // The solved flow is an empty input again; what the user typed stays.
        QCOMPARE(F("WtD")->text(), QString());
        QCOMPARE(ColorOf(F("WtD")), clWindow);
        QVERIFY(!F("WtD")->isReadOnly());
        QCOMPARE(F("SlD")->text(), QString("6"));
        QCOMPARE(F("WrD")->text(), QString("1e306"));
        QVERIFY(ProgressText() != QString("进度：100%"));
        QVERIFY(w->MyStatusBar1->ProgressBar()->value() < 100);
        const QStringList report = ReportText().split('\n');
        QCOMPARE(report.mid(2, 3).join('|').count(QString("计算未完成：") + error), 1);
        for (const char* caption : {"总传热系数", "理论面积", "实际面积", "总管长", "管程数"})
            for (const QString& line : report)
                if (line.startsWith(QString(8, ' ') + caption + ' '))
                    QVERIFY2(line.simplified().split(' ').size() == 2,
                             qPrintable(line)); // no value

        // Put right, the case is complete again without the clear button.
        HeadlessLog().clear();
        Set("WrD", "1");
        QVERIFY(HeadlessLog().isEmpty());
        QVERIFY(w->State().incomplete.isEmpty());
        QCOMPARE(ProgressText(), QString("进度：100%"));
        QVERIFY(!ReportText().contains("计算未完成"));
        // The same results, up to the tolerance the iteration settles within.
        for (const char* n : kSizingResults)
            QVERIFY2(std::fabs(F(n)->GetSIValue() - before[n]) <= 1e-3 * std::fabs(before[n]), n);
    }

    // An error inside the heat balance is told once (it came as the balance's warning and
    // again as the error).
    void balanceErrorShowsOneBox() {
        BasicBalance();
        HeadlessLog().clear();
        Set("WrD", "1e306");
        QCOMPARE(HeadlessLog(), QStringList{"热量平衡无法求解：计算结果不是有限数值。"});
        QCOMPARE(F("WtD")->text(), QString());
        QCOMPARE(F("QrD")->text(), QString());
        // Leaving another field tells it again, once: the error stands.
        Set("CptD", "4180");
        QCOMPARE(HeadlessLog().size(), 2);
    }

    // A solved value that no exchanger can have is refused with its reason and not written;
    // the solved field is an empty input, solved again once the input is put right.
    void unphysicalSolvedValueRefused_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("good");
        QTest::addColumn<QString>("message");
        QTest::newRow("hot outlet above its inlet")
            << "Tr2D"
            << "90"
            << "60"
            << "热流体出口温度高于入口温度，内管质量流量无法由热量平衡求出！";
        QTest::newRow("cold outlet below its inlet")
            << "Tt2D"
            << "10"
            << "40"
            << "冷流体出口温度低于入口温度，内管质量流量无法由热量平衡求出！";
        QTest::newRow("cold outlet above the hot inlet")
            << "Tt2D"
            << "85"
            << "40"
            << "冷流体出口温度高于热流体入口温度，内管质量流量无法由热量平衡求出！";
        QTest::newRow("hot outlet below the cold inlet")
            << "Tr2D"
            << "15"
            << "60"
            << "热流体出口温度低于冷流体入口温度，内管质量流量无法由热量平衡求出！";
        // The balance does not depend on the flow then: the solver would keep its start.
        QTest::newRow("cold outlet equal to its inlet")
            << "Tt2D"
            << "20"
            << "40"
            << "热量平衡与内管质量流量无关（进出口温度相同或流量为零），无法由热量平衡求出！";
    }
    void unphysicalSolvedValueRefused() {
        QFETCH(QString, field);
        QFETCH(QString, bad);
        QFETCH(QString, good);
        QFETCH(QString, message);
        WaterWater();
        const double wt = F("WtD")->GetSIValue();
        const QByteArray name = field.toLatin1();
        HeadlessLog().clear();
        Set(name.constData(), bad);
        QCOMPARE(HeadlessLog(), QStringList{message});
        QCOMPARE(w->State().incomplete, message);
        QCOMPARE(F("WtD")->text(), QString());
        QCOMPARE(ColorOf(F("WtD")), clWindow);
        QVERIFY(!F("WtD")->isReadOnly());
        for (const char* n : kSizingResults)
            QVERIFY2(F(n)->text().isEmpty(), n);
        // The inner film and velocity of this call rested on the refused flow.
        for (const char* n : {"ktD", "UtD"})
            QVERIFY2(F(n)->text().isEmpty(), n);
        QVERIFY(ReportText().contains(QString("计算未完成：") + message));

        HeadlessLog().clear();
        Set(name.constData(), good);
        QVERIFY2(HeadlessLog().isEmpty(), qPrintable(HeadlessLog().join('|')));
        QCOMPARE(ColorOf(F("WtD")), clSolved);
        QVERIFY(F("WtD")->isReadOnly());
        QVERIFY(std::fabs(F("WtD")->GetSIValue() - wt) < 1e-5);
        QVERIFY(!F("LaD")->text().isEmpty());
        QVERIFY(w->State().incomplete.isEmpty());
    }

    // An input cleared takes the results resting on it along, and the report names it.
    void clearedInputTakesItsResults() {
        WaterWater();
        const double la = F("LaD")->GetSIValue();
        Set("MrD", "");
        QVERIFY(HeadlessLog().isEmpty());
        for (const char* n : {"krD", "UrD", "KaD", "AcD", "LaD", "mD", "DpsD"})
            QVERIFY2(F(n)->text().isEmpty(), n);
        QVERIFY(!F("ktD")->text().isEmpty()); // the inner film does not need it
        QCOMPARE(w->State().incomplete, QString("缺少数据：动力粘度（外管）"));
        QVERIFY(ReportText().contains("计算未完成：缺少数据：动力粘度（外管）"));
        Set("MrD", "0.000404");
        QVERIFY(std::fabs(F("LaD")->GetSIValue() - la) <= 1e-3 * la);
        QVERIFY(w->State().incomplete.isEmpty());
    }

    void badNumberEndsCallWithMessage() {
        SetAll({{"WrD", "1"},
                {"CprD", "4180"},
                {"Tr1D", "80"},
                {"CptD", "4180"},
                {"Tt1D", "20"},
                {"Tt2D", "40"}});
        HeadlessLog().clear();
        // One message, naming the field and the text (it was the balance's general warning
        // and an English conversion error); nothing is calculated.
        w->lastPasses = 0;
        Set("Tr2D", "6o");
        QCOMPARE(HeadlessLog(), QStringList{"出口温度：“6o” 不是有效的数字"});
        QCOMPARE(w->lastPasses, 0);
        QCOMPARE(F("WtD")->text(), QString());
    }

    // The box comes once per edit; the focus goes back to the field with its text selected.
    void badNumberOncePerEdit() {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        TEditD* wr = F("WrD");
        wr->setFocus();
        HeadlessLog().clear();
        QTest::keyClicks(wr, "abc");
        QTest::keyClick(wr, Qt::Key_Return);
        QCOMPARE(HeadlessLog(), QStringList{"质量流量：“abc” 不是有效的数字"});
        QCOMPARE(QApplication::focusWidget(), wr);
        QCOMPARE(wr->selectedText(), QString("abc"));
        // Leaving again without an edit, or leaving other fields, says nothing more.
        QTest::keyClick(wr, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), F("Tr1D"));
        QTest::keyClicks(F("Tr1D"), "80");
        QTest::keyClick(F("Tr1D"), Qt::Key_Return);
        QCOMPARE(HeadlessLog().size(), 1);
        // A new edit is a new message.
        wr->setFocus();
        QTest::keyClick(wr, Qt::Key_End);
        QTest::keyClicks(wr, "d");
        QTest::keyClick(wr, Qt::Key_Return);
        QCOMPARE(HeadlessLog().size(), 2);
        QCOMPARE(HeadlessLog().last(), QString("质量流量：“abcd” 不是有效的数字"));
        QCOMPARE(QApplication::focusWidget(), wr);
        // Mended: the calculation runs again.
        w->lastPasses = 0;
        QTest::keyClicks(wr, "1"); // replaces the selected text
        QTest::keyClick(wr, Qt::Key_Return);
        QCOMPARE(HeadlessLog().size(), 2);
        QVERIFY(w->lastPasses > 0);
        // A bad text left in another field is found when any field is left.
        F("CprD")->setText("4,18");
        F("Tt1D")->setFocus();
        QTest::keyClick(F("Tt1D"), Qt::Key_Return);
        QCOMPARE(HeadlessLog().last(), QString("平均比热：“4,18” 不是有效的数字"));
        QCOMPARE(QApplication::focusWidget(), F("CprD"));
    }

    // Qt's own dialogs speak Chinese: the buttons of a Yes/No box and of a file dialog.
    void qtDialogsInChinese() {
        QMessageBox box(QMessageBox::Question, "t", "x", QMessageBox::Yes | QMessageBox::No);
        QVERIFY2(box.button(QMessageBox::Yes)->text().contains(QString("是")),
                 qPrintable(box.button(QMessageBox::Yes)->text()));
        QVERIFY(box.button(QMessageBox::No)->text().contains(QString("否")));
        QFileDialog open(nullptr, "t");
        open.setOption(QFileDialog::DontUseNativeDialog);
        open.setAcceptMode(QFileDialog::AcceptOpen);
        QStringList texts;
        for (QPushButton* b : open.findChildren<QPushButton*>())
            texts << b->text();
        QVERIFY2(texts.join(' ').contains(QString("打开")), qPrintable(texts.join(' ')));
        QVERIFY2(texts.join(' ').contains(QString("取消")), qPrintable(texts.join(' ')));
    }

    void progressDisplay() {
        w->Progress();
        const int enabled = 45; // 57 fields less the 12 that start disabled
        QCOMPARE(w->MyStatusBar1->PanelText(1), QString("进度：0%"));
        Set("WrD", "1");
        QCOMPARE(w->MyStatusBar1->PanelText(1),
                 QString("进度：%1%").arg((100 + enabled - 1) / enabled));
        QCOMPARE(w->MyStatusBar1->ProgressBar()->value(), qRound(100.0 / enabled));
    }

    void statusBarPanelIndex() {
        TMyStatusBar* sb = w->MyStatusBar1;
        QCOMPARE(sb->PIndex(), 2);
        sb->SetPIndex(3);
        QCOMPARE(sb->PIndex(), 2);
        sb->SetPIndex(-1);
        QCOMPARE(sb->PIndex(), 2);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        sb->repaint();
        QVERIFY(sb->BarShown());
        const QRect last = sb->PanelRect(2);
        QCOMPARE(sb->ProgressBar()->geometry().right(), last.right() - 12);
        sb->SetPIndex(1);
        QVERIFY(!sb->BarShown());
        QCOMPARE(sb->PanelAt(2).style, TMyStatusBar::Style::Text);
        sb->repaint();
        QVERIFY(sb->BarShown());
        QCOMPARE(sb->ProgressBar()->geometry().right(), sb->PanelRect(1).right());
        w->resize(900, 700);
        QApplication::processEvents();
        sb->SetPIndex(2);
        sb->repaint();
        QCOMPARE(sb->ProgressBar()->geometry().right(), sb->PanelRect(2).right() - 12);
    }

    void roughnessAndPitchPicks() {
        w->SBP4Click(C<QToolButton>("SBP4")); // headless: cancelled
        QCOMPARE(F("ErD")->text(), QString());
        Set("ShapeD", "1");
        w->SBP3Click();
        QCOMPARE(F("DspD")->text(), QString("1.5"));
    }

    // A choice in the pick list is taken as leaving the field: checked and recalculated.
    void pickListChoiceRecalculates() {
        QString typed;
        SetPickListRunner([&typed](TFormPickList& d) {
            d.LEPickStr->setText(typed);
            return true;
        });
        BasicBalance();
        typed = "0.10";
        w->lastPasses = 0;
        w->SBP4Click(C<QToolButton>("SBP5"));
        QCOMPARE(F("EtD")->GetSIValue(), 0.0001);
        QVERIFY(w->lastPasses > 0);
        typed = "0,1"; // refused by name, the field keeps its value
        w->SBP4Click(C<QToolButton>("SBP5"));
        QCOMPARE(HeadlessLog().last(), QString("绝对粗糙度（mm）：“0,1” 不是有效的数字"));
        QCOMPARE(F("EtD")->GetSIValue(), 0.0001);
        Set("ShapeD", "1");
        typed = "0.5"; // a pitch below 1 is refused as leaving the field refuses it
        w->lastPasses = 0;
        w->SBP3Click();
        QCOMPARE(HeadlessLog().last(), QString("不能小于1.0 !"));
        QCOMPARE(w->lastPasses, 0);
        typed = "2.5";
        w->SBP3Click();
        QCOMPARE(F("DspD")->text(), QString("2.5"));
        QVERIFY(w->lastPasses > 0);
        SetPickListRunner(nullptr);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
