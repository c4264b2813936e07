#include "props/SimpProps.h"

#include "formula/MyValues.h"
#include "units/ComboBoxU.h"
#include "units/EditD.h"
#include "units/Messages.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace tubalon;

namespace {

// The main window's property fields of both sides.
struct MainFields {
    QWidget window;
    QHash<QString, TEditD*> fields;
    MainFields() {
        for (const char* n : {"CprD", "DenrD", "MrD", "LdrD", "DHrD", "DrvD", "MrvD", "CptD",
                              "DentD", "MtD", "LdtD", "DHtD", "dtvD", "MtvD"}) {
            auto* f = new TEditD(&window);
            f->setObjectName(n);
            f->setText("-1");
            fields.insert(n, f);
        }
    }
    TFormSimpPL::FieldLookup Lookup() {
        return [this](const QString& n) { return fields.value(n); };
    }
    // Names of the fields whose text changed from "-1".
    QStringList Changed() const {
        QStringList out;
        for (auto it = fields.begin(); it != fields.end(); ++it)
            if (it.value()->text() != "-1") out << it.key();
        out.sort();
        return out;
    }
};

void WriteLib(const QString& dir, const QByteArray& records) {
    QFile f(dir + "/PropLib.cds");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"({"format": "Tubalon PropLib", "version": 1, "fields": [
        {"name":"NO","width":6},{"name":"CN","width":20},{"name":"EN","width":20},
        {"name":"CP","width":300},{"name":"MD","width":300},{"name":"VI","width":300},
        {"name":"TC","width":300},{"name":"ST","width":300},{"name":"HV","width":300},
        {"name":"NT","width":100}], "validityFields": [
        {"name":"TR","width":30},{"name":"PR","width":30},{"name":"PH","width":4},
        {"name":"VP","width":300}], "records": [)" +
            records + "]}");
}

const QByteArray kTwoRecords = R"J(
    {"NO":"01","CN":"水","CP":"4180","MD":"0,1000;50,988;100,958","VI":"1.0E-3",
     "TC":"0.6","ST":"0.072","HV":"2.45E6","NT":"test"},
    {"NO":"02","CN":"坏公式","CP":"SQRT(t)","MD":"PRD:4599,190.6,99,0.286,0.011,16.04",
     "VI":"PRV:0,190.6,99,0.286,0.011,16.04","TC":null,"ST":"2*t","HV":"max(t,0)"})J";

// Types each character as a key press, as the user would (also outside Latin-1).
void Type(QLineEdit* e, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(e, &press);
    }
}

} // namespace

class SimpPropsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetHeadlessMessages(true); }

    void createsWithLibraryAndDefaults() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        QCOMPARE(dlg.windowTitle(), QString("简易物性数据库"));
        QVERIFY(dlg.PropLib.IsOpen());
        QCOMPARE(dlg.DBGrid1->rowCount(), 2);
        QCOMPARE(dlg.DBGrid1->item(0, 1)->text(), QString("水"));
        QCOMPARE(dlg.ShowText[1]->text(), QString("水"));
        QCOMPARE(dlg.MyValues1->GetValue("t"), QString("20"));
        QCOMPARE(dlg.MyValues1->GetValue("p"), QString("100"));
        QCOMPARE(dlg.CPU->currentIndex(), 0);
        QVERIFY(dlg.CPU->currentText().startsWith("J/(kg.K)"));
        QCOMPARE(TComboBoxU::FactorOf(dlg.HVU->itemText(2)), 4186.0);
        QCOMPARE(TComboBoxU::FactorOf(dlg.TCU->itemText(3)), 4187.0);
        QVERIFY(!dlg.PageControlP->isTabVisible(1));
    }

    void navigatorHints() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        QStringList hints;
        for (int b = TDBNavigator::First; b <= TDBNavigator::Refresh; ++b)
            hints << dlg.DBNavigator1->ButtonAt(TDBNavigator::Button(b))->toolTip();
        QCOMPARE(hints, (QStringList{"开头", "上一个", "下一个", "最后", "插入", "删除", "编辑",
                                     "确认", "取消", "刷新"}));
        // Browsing by the list moves the current record.
        dlg.DBGrid1->setCurrentCell(1, 0);
        QCOMPARE(dlg.PropLib.CurrentIndex(), 1);
        QCOMPARE(dlg.ShowText[1]->text(), QString("坏公式"));
    }

    void missingLibraryIsReportedAndClosed() {
        QTemporaryDir dir;
        const int before = MessagesShown();
        TFormSimpPL dlg(dir.path());
        QCOMPARE(MessagesShown(), before + 1);
        QVERIFY(!dlg.PropLib.IsOpen());
        dlg.BBCal->click(); // fails with a message, computes nothing
        QCOMPARE(MessagesShown(), before + 2);
        QVERIFY(dlg.CPD->text().isEmpty());
        dlg.NavigatorClick(TDBNavigator::Next);
        QCOMPARE(MessagesShown(), before + 3);
    }

    void calculateFillsTheSixFields() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        dlg.MyValues1->SetValue("t", "25");
        const int before = MessagesShown();
        dlg.BBCal->click();
        QCOMPARE(MessagesShown(), before);
        QCOMPARE(dlg.CPD->GetSIValue(), 4180.0);
        QCOMPARE(dlg.MDD->GetSIValue(), 996.25);
        QCOMPARE(dlg.VID->GetSIValue(), 1.0E-3);
        QCOMPARE(dlg.HVD->GetSIValue(), 2.45E6);
        // Shown in the chosen unit, SI value unchanged.
        dlg.HVU->UserPick(1);
        QCOMPARE(dlg.HVD->text(), QString("2450"));
        dlg.BBCal->click();
        QCOMPARE(dlg.HVD->text(), QString("2450"));
    }

    void failuresAreNamedAndLeaveFieldsEmpty() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        dlg.BBCal->click(); // record 01 fills every field
        dlg.NavigatorClick(TDBNavigator::Next);
        QCOMPARE(dlg.ShowText[0]->text(), QString("02"));
        const int before = MessagesShown();
        dlg.BBCal->click();
        // Cp (formula error) and VI (bad constant) fail: one box lists both; TC is null;
        // ST is computed; HV's conversion error stops the run with its own box.
        QCOMPARE(MessagesShown(), before + 2);
        QVERIFY(dlg.CPD->text().isEmpty());
        QVERIFY(dlg.MDD->GetSIValue() > 0.6 && dlg.MDD->GetSIValue() < 0.7);
        QVERIFY(dlg.VID->text().isEmpty());
        QVERIFY(dlg.TCD->text().isEmpty());
        QCOMPARE(dlg.STD->GetSIValue(), 40.0);
        QCOMPARE(dlg.HVD->text(), QString("2450000")); // kept from the first run
    }

    void emptyTemperatureIsSaidOnce() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        dlg.MyValues1->SetValue("t", "");
        dlg.CPD->setText("123");
        const int before = MessagesShown();
        dlg.BBCal->click();
        QCOMPARE(MessagesShown(), before + 1);
        QCOMPARE(dlg.CPD->text(), QString("123"));
    }

    void confirmCopiesByOpener_data() {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QStringList>("changed");
        QTest::newRow("SBP1") << "SBP1" << QStringList{"CprD", "DHrD", "DenrD", "LdrD", "MrD"};
        QTest::newRow("SBP1v") << "SBP1v" << QStringList{"DrvD", "MrvD"};
        QTest::newRow("SBP2") << "SBP2" << QStringList{"CptD", "DHtD", "DentD", "LdtD", "MtD"};
        QTest::newRow("SBP2v") << "SBP2v" << QStringList{"MtvD", "dtvD"};
        QTest::newRow("other") << "SBDo" << QStringList{};
    }

    void confirmCopiesByOpener() {
        QFETCH(QString, opener);
        QFETCH(QStringList, changed);
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        MainFields main;
        dlg.SetTargetFields(main.Lookup());
        QString seenOpener;
        TPropSIValues seen;
        connect(&dlg, &TFormSimpPL::Confirmed, this, [&](const QString& o, const TPropSIValues& v) {
            seenOpener = o;
            seen = v;
        });
        dlg.PrepareOpen(opener);
        dlg.BBCal->click();
        dlg.BBOK->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(main.Changed(), changed);
        QCOMPARE(seenOpener, opener);
        QVERIFY(seen.MD.has_value());
        QCOMPARE(*seen.ST, 0.072); // returned by the signal, never copied
        for (const QString& n : changed) {
            const TEditD* f = main.fields.value(n);
            QVERIFY(f->GetSIValue() > 0);
        }
    }

    void confirmSkipsEmptyAndDisabledAndConvertsUnits() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        MainFields main;
        dlg.SetTargetFields(main.Lookup());
        main.fields["MrD"]->setEnabled(false);
        main.fields["DenrD"]->SetExchange(1000); // main field shown in t/m3
        dlg.PrepareOpen("SBP1");
        dlg.CPD->clear();
        dlg.MDU->UserPick(1); // t/m3
        dlg.MDD->setText("1");
        dlg.VID->setText("0.001");
        dlg.TCD->setText("0.6");
        dlg.BBOK->click();
        QCOMPARE(main.fields["CprD"]->text(), QString("-1")); // empty dialog field
        QCOMPARE(main.fields["MrD"]->text(), QString("-1"));  // disabled main field
        QCOMPARE(main.fields["DenrD"]->GetSIValue(), 1000.0);
        QCOMPARE(main.fields["DenrD"]->text(), QString("1"));
        QCOMPARE(main.fields["LdrD"]->text(), QString("0.6"));
    }

    void reopenKeepsValues() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        dlg.BBCal->click();
        dlg.NavigatorClick(TDBNavigator::Last);
        dlg.PrepareOpen("SBP2");
        QCOMPARE(dlg.CPD->text(), QString("4180"));
        QCOMPARE(dlg.PropLib.CurrentIndex(), 1);
    }

    void passwordAndPageSizing_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("unlocks");
        QTest::newRow("right") << "pomvrak" << true;
        QTest::newRow("capital") << "Pomvrak" << false;
        QTest::newRow("blank") << "pomvrak " << false;
        QTest::newRow("empty") << "" << false;
    }

    void passwordAndPageSizing() {
        QFETCH(QString, password);
        QFETCH(bool, unlocks);
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        dlg.PrepareOpen("SBP1");
        QCOMPARE(dlg.width(), 645);
        QCOMPARE(dlg.PageControlP->width(), 370);
        QVERIFY(dlg.DBNavigator1->ButtonAt(TDBNavigator::Insert)->isHidden());
        QVERIFY(!dlg.DBNavigator1->ButtonAt(TDBNavigator::Refresh)->isHidden());
        QTest::keyClicks(dlg.MaskEdit1, password);
        QCOMPARE(dlg.MaskEdit1->echoMode(), QLineEdit::Password);
        dlg.BitBtn1->click();
        QCOMPARE(dlg.PageControlP->isTabVisible(1), unlocks);
        QCOMPARE(dlg.PageControlP->currentWidget() == dlg.TSManP, unlocks);
        QCOMPARE(dlg.width(), unlocks ? 945 : 645);
        QCOMPARE(dlg.PageControlP->width(), unlocks ? 670 : 370);
        QCOMPARE(dlg.DBNavigator1->ButtonAt(TDBNavigator::Insert)->isHidden(), !unlocks);
        if (!unlocks) return;
        dlg.PageControlP->setCurrentIndex(0); // switching back narrows
        QCOMPARE(dlg.width(), 645);
        dlg.PageControlP->setCurrentIndex(1);
        QCOMPARE(dlg.width(), 945);
        // A new opening hides the page and empties the password.
        dlg.PrepareOpen("SBP1");
        QVERIFY(!dlg.PageControlP->isTabVisible(1));
        QVERIFY(dlg.MaskEdit1->text().isEmpty());
        QCOMPARE(dlg.width(), 645);
    }

    // Outside the record's range the results are shown marked, with the range on the status
    // line, and "&O 确定" asks before it copies them.
    void outOfRangeIsMarkedAndAsked_data() {
        QTest::addColumn<bool>("answerYes");
        QTest::newRow("copy") << true;
        QTest::newRow("keep") << false;
    }
    void outOfRangeIsMarkedAndAsked() {
        QFETCH(bool, answerYes);
        QTemporaryDir dir;
        WriteLib(dir.path(), R"({"NO":"01","CN":"水","MD":"0,1000;50,988;100,958",
                                 "TR":"0~50"})");
        TFormSimpPL dlg(dir.path());
        QVERIFY(dlg.RangeShow->text().startsWith("0–50 ℃"));
        MainFields main;
        dlg.SetTargetFields(main.Lookup());
        dlg.PrepareOpen("SBP1");
        dlg.MyValues1->SetValue("t", "80");
        dlg.BBCal->click();
        QCOMPARE(dlg.StatusLine->text(), QString("超出物性数据范围：水 适用于 0–50 ℃"));
        QVERIFY(dlg.ResultsOutOfRange());
        QVERIFY(dlg.MDD->property("outOfRange").toBool());
        QVERIFY(!dlg.MDD->text().isEmpty());
        QStringList asked;
        SetHeadlessAnswer([&](const QString& text) {
            asked << text;
            return answerYes ? QMessageBox::Yes : QMessageBox::No;
        });
        dlg.BBOK->click();
        SetHeadlessAnswer(nullptr);
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].contains("0–50 ℃"));
        QCOMPARE(main.Changed(), answerYes ? QStringList{"DenrD"} : QStringList{});
        QCOMPARE(dlg.result(), answerYes ? int(QDialog::Accepted) : int(QDialog::Rejected));
        // Back in range: nothing marked, nothing asked.
        dlg.MyValues1->SetValue("t", "20");
        dlg.BBCal->click();
        QVERIFY(!dlg.ResultsOutOfRange());
        QVERIFY(!dlg.MDD->property("outOfRange").toBool());
        QVERIFY(dlg.StatusLine->text().isEmpty());
    }

    // Liquid water above its saturation temperature: nothing computed, the reason shown,
    // nothing copied.
    void wrongPhaseIsRefused() {
        QTemporaryDir dir;
        WriteLib(dir.path(), R"({"NO":"01","CN":"水","CP":"4180","MD":"0,1000;100,958",
                                 "TR":"0~200","PH":"液相","VP":"IAPWS-IF97"})");
        TFormSimpPL dlg(dir.path());
        MainFields main;
        dlg.SetTargetFields(main.Lookup());
        dlg.PrepareOpen("SBP1");
        dlg.CPD->setText("1");
        dlg.MyValues1->SetValue("t", "150");
        const int before = MessagesShown();
        dlg.BBCal->click();
        QCOMPARE(MessagesShown(), before + 1);
        QVERIFY(dlg.CPD->text().isEmpty());
        QVERIFY(dlg.MDD->text().isEmpty());
        QVERIFY(dlg.StatusLine->text().contains("99.6 ℃"));
        dlg.BBOK->click();
        QCOMPARE(MessagesShown(), before + 2);
        QCOMPARE(main.Changed(), QStringList{});
        QVERIFY(dlg.result() != int(QDialog::Accepted));
        dlg.MyValues1->SetValue("p", "500");
        dlg.BBCal->click();
        QCOMPARE(dlg.CPD->GetSIValue(), 4180.0);
    }

    // Opened from a side the dialog starts at the side's mean temperature and, on the inner
    // side, at its vapour pressure; results of another temperature are not kept.
    void opensAtTheSidesTemperatureAndPressure() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        TFormSimpPL dlg(dir.path());
        MainFields main;
        QHash<QString, TEditD*> side;
        for (const char* n : {"Tr1D", "Tr2D", "Tt1D", "Tt2D", "PtvD"}) {
            auto* f = new TEditD(&main.window);
            f->setObjectName(n);
            side.insert(n, f);
        }
        dlg.SetTargetFields([&](const QString& n) {
            return side.contains(n) ? side.value(n) : main.fields.value(n);
        });
        side["Tr1D"]->setText("80");
        side["Tr2D"]->setText("60");
        dlg.BBCal->click();
        QVERIFY(!dlg.MDD->text().isEmpty()); // at t = 20
        dlg.PrepareOpen("SBP1");
        QCOMPARE(dlg.MyValues1->GetValue("t"), QString("70"));
        QCOMPARE(dlg.MyValues1->GetValue("p"), QString("100"));
        QVERIFY(dlg.MDD->text().isEmpty());
        QVERIFY(dlg.StatusLine->text().contains("外管"));
        // "&O 确定" computes at the shown t before it copies.
        dlg.BBOK->click();
        // The quadratic through (0, 1000), (50, 988), (100, 958) at t = 70.
        QVERIFY(qAbs(main.fields["DenrD"]->GetSIValue() - 978.16) < 1e-9);
        // The inner side: its temperatures and its vapour pressure while it is enabled.
        side["Tt1D"]->setText("120");
        side["Tt2D"]->setText("120");
        side["PtvD"]->setText("198500");
        dlg.PrepareOpen("SBP2v");
        QCOMPARE(dlg.MyValues1->GetValue("t"), QString("120"));
        QCOMPARE(dlg.MyValues1->GetValue("p"), QString("198.5"));
        side["PtvD"]->setText("500000");
        side["PtvD"]->setEnabled(false);
        dlg.PrepareOpen("SBP2");
        QCOMPARE(dlg.MyValues1->GetValue("p"), QString("198.5"));
        // One temperature alone says nothing about the side's mean.
        side["Tr2D"]->clear();
        dlg.PrepareOpen("SBP1");
        QCOMPARE(dlg.MyValues1->GetValue("t"), QString("120"));
    }

    void maintenanceEditsSaveAndWidths() {
        QTemporaryDir dir;
        WriteLib(dir.path(), kTwoRecords);
        {
            TFormSimpPL dlg(dir.path());
            dlg.MaskEdit1->setText("pomvrak");
            dlg.BitBtn1->click();
            dlg.NavigatorClick(TDBNavigator::Insert);
            QVERIFY(dlg.EditText[0]->text().isEmpty());
            Type(dlg.EditText[0], "00");
            Type(dlg.EditText[1], QString(11, QChar(0x6C34)));
            QCOMPARE(dlg.EditText[1]->text(), QString(10, QChar(0x6C34))); // 20 bytes
            Type(dlg.EditText[3], "1234");
            // Calculating before saving uses the new record.
            dlg.PageControlP->setCurrentIndex(0);
            dlg.BBCal->click();
            QCOMPARE(dlg.CPD->text(), QString("1234"));
            dlg.NavigatorClick(TDBNavigator::Post);
            QCOMPARE(dlg.DBGrid1->rowCount(), 3);
            QCOMPARE(dlg.DBGrid1->item(0, 0)->text(), QString("00"));
        }
        {
            // Not saved: gone after a restart. Now edit and save.
            TFormSimpPL dlg(dir.path());
            QCOMPARE(dlg.PropLib.Count(), 2);
            dlg.MaskEdit1->setText("pomvrak");
            dlg.BitBtn1->click();
            dlg.EditText[9]->clear();
            Type(dlg.EditText[9], "新注释");
            dlg.BBSaveSys->click();
            QCOMPARE(dlg.PropLib.State(), TPropState::Browse);
            dlg.NavigatorClick(TDBNavigator::Delete); // confirmed by the headless answer
            QCOMPARE(dlg.PropLib.Count(), 1);
        }
        TFormSimpPL dlg(dir.path());
        QCOMPARE(dlg.PropLib.Count(), 2);
        QCOMPARE(dlg.ShowText[9]->text(), QString("新注释"));
    }
};

QTEST_MAIN(SimpPropsTest)
#include "SimpPropsTest.moc"
